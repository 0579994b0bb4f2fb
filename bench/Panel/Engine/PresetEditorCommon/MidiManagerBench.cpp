// Wall time of a preset send and of a fetch against the simulated keyboard,
// at the specified timing with the status poll idle, as a ratio to the
// protocol's own pacing floor: every 256-byte piece is followed by a 10 ms pause.
#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"
#include "tests/support/DirectKeyboardPorts.h"
#include "tests/support/PresetValuesStore.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace HV;

constexpr MidiTiming kTiming = MidiTiming::Specified();

// Pieces on the wire: a send is lead-in, identity (lead-in + request), lead-in
// and six pieces of dump; a fetch is lead-in, identity, lead-in and the request.
constexpr int kSendPieces = 1 + 2 + 1 + 6;
constexpr int kFetchPieces = 1 + 2 + 1 + 1;

struct Rig {
  Test::SimulatedKeyboard keyboard;
  Test::DirectKeyboardPorts ports{keyboard};
  Test::PresetValuesStore values;
  RCPtr<LMidiManager> manager = LMidiManager::Create(ports, values, {}, kTiming);
};

void Report(benchmark::State& state, int pieces) {
  const double floor = pieces * std::chrono::duration<double>(kTiming.piecePause).count();
  state.counters["floor_ms"] = floor * 1000.0;
  state.counters["ratio"] = benchmark::Counter(floor * static_cast<double>(state.iterations()),
                                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void SendPreset(benchmark::State& state) {
  Rig rig;
  for (auto _ : state) {
    if (rig.manager->SendPresetToMidiDevice(5) < 0) state.SkipWithError("send failed");
  }
  Report(state, kSendPieces);
}
BENCHMARK(SendPreset)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void FetchPreset(benchmark::State& state) {
  Rig rig;
  for (auto _ : state) {
    if (rig.manager->GetPresetFromMidiDevice(5) != S_OK) state.SkipWithError("fetch failed");
  }
  Report(state, kFetchPieces);
}
BENCHMARK(FetchPreset)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
