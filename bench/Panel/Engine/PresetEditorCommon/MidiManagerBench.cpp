// Wall time of a preset send and of a fetch against the simulated keyboard,
// through the port layer and the loopback MIDI system, at the specified
// timing with the status poll idle, as a ratio to the protocol's own pacing
// floor: every 256-byte piece is followed by a 10 ms pause.
#include "HVFramework/Midi/LMidiComm.h"
#include "Panel/Engine/PresetEditorCommon/LMidiCommKeyboardPorts.h"
#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboardPorts.h"
#include "tests/support/PresetValuesStore.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using namespace HV;

constexpr MidiTiming kTiming = MidiTiming::Specified();

// Pieces on the wire: a send is the identity check (lead-in, request), then
// lead-in and six pieces of dump; a fetch is the identity check, then lead-in
// and the request.
constexpr int kSendPieces = 2 + 1 + 6;
constexpr int kFetchPieces = 2 + 1 + 1;

struct Rig {
  ~Rig() {
    manager = nullptr;
    Simulated::DetachSimulatedKeyboard(keyboard);
    system->WaitForCallbacks();
  }

  Simulated::SimulatedKeyboard keyboard;  // outlives the system that calls it
  const RCPtr<Platform::LLoopbackMidiSystem> system = Platform::LLoopbackMidiSystem::Create();
  const RCPtr<Platform::LLoopbackMidiDevice> device = Simulated::AttachSimulatedKeyboard(*system, keyboard);
  const RCPtr<LMidiComm> comm = LMidiComm::Create(system);
  LMidiCommKeyboardPorts ports{comm};
  Test::PresetValuesStore values;
  RCPtr<LMidiManager> manager = LMidiManager::Create(ports, values, nullptr, kTiming);
};

template <class Operation>
void RunAgainstFloor(benchmark::State& state, int pieces, Operation operation) {
  Rig rig;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    if (!operation(*rig.manager)) state.SkipWithError("the keyboard did not take part");
  }
  const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
  const double floor = pieces * std::chrono::duration<double, std::milli>(kTiming.piecePause).count();
  state.counters["floor_ms"] = floor;
  state.counters["ratio"] = elapsed.count() / (floor * static_cast<double>(state.iterations()));
}

void SendPreset(benchmark::State& state) {
  RunAgainstFloor(state, kSendPieces,
                  [](LMidiManager& manager) { return manager.SendPresetToMidiDevice(5) >= 0; });
}
BENCHMARK(SendPreset)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void FetchPreset(benchmark::State& state) {
  RunAgainstFloor(state, kFetchPieces,
                  [](LMidiManager& manager) { return manager.GetPresetFromMidiDevice(5) == S_OK; });
}
BENCHMARK(FetchPreset)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
