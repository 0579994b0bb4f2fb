// The port layer's capture path: a 1350-byte dump reassembled from its six
// 256-byte buffers, a short message made into a pooled payload, and the port
// names made from a list of devices with duplicates.
#include "HVFramework/Midi/LMidiCaptureNotificationData.h"
#include "HVFramework/Midi/LMidiPortNames.h"
#include "HVFramework/Midi/LMidiSysExReassembler.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

using namespace HV;

void ReassembleDump(benchmark::State& state) {
  std::vector<uint8_t> dump(1350, 0x11);
  dump.front() = 0xF0;
  dump.back() = 0xF7;
  const StringW port(u"MIDIIN4 (Tarsel)");
  LMidiSysExReassembler reassembler;
  for (auto _ : state) {
    RCPtr<LMidiCaptureNotificationData> message;
    for (size_t offset = 0; offset < dump.size(); offset += 256) {
      const size_t count = std::min<size_t>(256, dump.size() - offset);
      message = reassembler.AddPiece({dump.data() + offset, count}, 256, 0, port);
    }
    benchmark::DoNotOptimize(message.Get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(dump.size()));
}
BENCHMARK(ReassembleDump);

void ShortMessagePayload(benchmark::State& state) {
  const uint8_t note[] = {0x90, 0x3C, 0x7F};
  const StringW port(u"MIDIIN4 (Tarsel)");
  for (auto _ : state) {
    const RCPtr<LMidiCaptureNotificationData> data = LMidiCaptureNotificationData::Create(note, 0, port);
    benchmark::DoNotOptimize(data.Get());
  }
}
BENCHMARK(ShortMessagePayload);

void UniquePortNames(benchmark::State& state) {
  StringArrayW devices;
  for (const char16_t* name : {u"Tarsel", u"MIDIIN2 (Tarsel)", u"MIDIIN3 (Tarsel)", u"MIDIIN4 (Tarsel)",
                               u"Synth", u"Synth", u"Interface", u"Synth"})
    devices.AddItem(StringW(name));
  for (auto _ : state) {
    const StringArrayW ports = LMidiPortNames::MakeUniquePortNames(devices);
    benchmark::DoNotOptimize(ports.GetCount());
  }
}
BENCHMARK(UniquePortNames);

}  // namespace
