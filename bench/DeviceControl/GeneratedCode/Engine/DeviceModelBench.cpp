// Building and placing the model tree, finding the owner of each of the 131
// IDs through it, and making every default record.
#include "DeviceControl/GeneratedCode/Engine/Inc/DefaultRecords.h"
#include "DeviceControl/GeneratedCode/Engine/Src/Device.h"

#include <benchmark/benchmark.h>

namespace {

void CreateAndPlaceDevice(benchmark::State& state) {
  for (auto _ : state) {
    const HV::RCPtr<LDevice> device = LDevice::Create();
    device->SetFirstParamID(nullptr, 0, 0);
    benchmark::DoNotOptimize(device.Get());
  }
}
BENCHMARK(CreateAndPlaceDevice);

void FindOwnerOfEveryID(benchmark::State& state) {
  const HV::RCPtr<LDevice> device = LDevice::Create();
  device->SetFirstParamID(nullptr, 0, 0);
  for (auto _ : state) {
    for (int32_t id = 0; id < kDeviceParamCount; ++id) {
      HV::RCPtr<LParameterizedModule> owner = device->GetModuleForParamID(id);
      benchmark::DoNotOptimize(owner.Get());
    }
  }
  state.SetItemsProcessed(state.iterations() * kDeviceParamCount);
}
BENCHMARK(FindOwnerOfEveryID);

void DefaultPresetData(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<uint8_t> data = MakeDefaultPresetData();
    benchmark::DoNotOptimize(data.data());
  }
}
BENCHMARK(DefaultPresetData);

}  // namespace
