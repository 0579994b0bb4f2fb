// A preset-sized packet (131 parameter values) through the value record:
// packing it, writing and reading it back, and reading every value out.
#include "HVFramework/Utilities/Storage/ParamValues.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr uint32_t kPresetValues = 131;

std::vector<HV::ParamValue> PresetValues() {
  std::vector<HV::ParamValue> values;
  for (uint32_t i = 0; i < kPresetValues; ++i) {
    HV::ParamValue v(static_cast<int32_t>(0x1000 + i));
    if (i % 8 == 0) {
      v.value.SetString("Preset name");
    } else {
      const int32_t number = static_cast<int32_t>(i * 3);
      v.value.Set(HV::kVariantInt32, &number, sizeof number);
    }
    values.push_back(v);
  }
  return values;
}

HV::ParamValues PresetPacket() {
  const std::vector<HV::ParamValue> values = PresetValues();
  HV::ParamValues packet;
  packet.Set(values.data(), kPresetValues);
  return packet;
}

void ParamValuesPack(benchmark::State& state) {
  const std::vector<HV::ParamValue> values = PresetValues();
  for (auto _ : state) {
    HV::ParamValues packet;
    benchmark::DoNotOptimize(packet.Set(values.data(), kPresetValues));
  }
}
BENCHMARK(ParamValuesPack);

void ParamValuesSerializeDeserialize(benchmark::State& state) {
  const HV::ParamValues packet = PresetPacket();
  uint32_t size = 0;
  packet.GetData(&size);
  std::vector<uint8_t> record(size + 12);
  HV::ParamValues read;
  for (auto _ : state) {
    const int32_t written = packet.Serialize(record.data(), static_cast<uint32_t>(record.size()));
    benchmark::DoNotOptimize(read.Deserialize(record.data(), static_cast<uint32_t>(written)));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 2 * static_cast<int64_t>(record.size()));
}
BENCHMARK(ParamValuesSerializeDeserialize);

void ParamValuesReadAll(benchmark::State& state) {
  const HV::ParamValues packet = PresetPacket();
  HV::Variant value;
  HV::Variant descriptor;
  int32_t id = 0;
  for (auto _ : state) {
    for (uint32_t i = 0; i < kPresetValues; ++i) benchmark::DoNotOptimize(packet.GetParamValue(i, value, id, descriptor));
  }
}
BENCHMARK(ParamValuesReadAll);

}  // namespace
