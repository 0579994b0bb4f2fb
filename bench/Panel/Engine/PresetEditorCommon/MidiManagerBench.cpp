// Wall time of a preset send and of a fetch against the simulated keyboard,
// through the port layer and the loopback MIDI system, at the specified
// timing, with the device-status poll idle and running (the port layer's own
// status checker). Compared in the same run with the protocol's pacing floor
// (each piece at least 10 ms after the previous one) and with a plain paced
// send of the same pieces straight through the port layer.
//
// Each operation is timed alone: between two of them the bench waits longer
// than the pause, so the pacing left over from the previous operation and the
// poll's pass after it are not counted.
#include "HVFramework/Midi/LMidiComm.h"
#include "HVFramework/Midi/LMidiDeviceStatusChecker.h"
#include "HVFramework/Notification/LNotificationCenter.h"
#include "Panel/Engine/PresetEditorCommon/Protocol/KeyboardSysEx.h"
#include "Panel/Engine/PresetEditorCommon/LKeyboardStatusChecker.h"
#include "Panel/Engine/PresetEditorCommon/LMidiCommKeyboardPorts.h"
#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboardPorts.h"
#include "tests/support/PresetValuesStore.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <thread>

namespace {

using namespace HV;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr MidiTiming kTiming = MidiTiming::Specified();
constexpr double kPause = Milliseconds(kTiming.piecePause).count();
constexpr auto kBetweenOperations = std::chrono::milliseconds(15);

// A send is the identity check (lead-in, request), then the lead-in and six
// pieces of dump: nine pieces, eight pauses.
constexpr int kSendPieces = 2 + 1 + 6;

// A fetch: lead-in, identity request, its reply after the delay; the lead-in
// of the preset request goes once both the reply and the pause are through,
// the request a pause later, and its reply after the delay.
double FetchFloor(double replyDelay) { return kPause + std::max(replyDelay, kPause) + kPause + replyDelay; }

enum class Poll { Idle, Running };

struct Rig {
  explicit Rig(Poll poll) {
    if (poll == Poll::Running) manager->ResumeDeviceStatusPolling();
  }
  ~Rig() {
    manager = nullptr;
    centre->Shutdown();
    Simulated::DetachSimulatedKeyboard(keyboard);
    system->WaitForCallbacks();
  }

  Simulated::SimulatedKeyboard keyboard;  // outlives the system that calls it
  const RCPtr<Platform::LLoopbackMidiSystem> system = Platform::LLoopbackMidiSystem::Create();
  const RCPtr<Platform::LLoopbackMidiDevice> device = Simulated::AttachSimulatedKeyboard(*system, keyboard);
  const RCPtr<LMidiComm> comm = LMidiComm::Create(system);
  const RCPtr<LNotificationCenter> centre = LNotificationCenter::Create(StringW(u"bench centre"));
  LKeyboardStatusChecker checker{LMidiDeviceStatusChecker::Create(comm, centre)};
  LMidiCommKeyboardPorts ports{comm};
  Test::PresetValuesStore values;
  RCPtr<LMidiManager> manager = LMidiManager::Create(ports, values, &checker, kTiming);
};

// Times each run of the operation alone and reports the mean against the floor.
template <class Operation>
void TimeAlone(benchmark::State& state, double floor, Operation operation) {
  double total = 0;
  for (auto _ : state) {
    std::this_thread::sleep_for(kBetweenOperations);
    const auto start = std::chrono::steady_clock::now();
    const bool isDone = operation();
    const Milliseconds elapsed = std::chrono::steady_clock::now() - start;
    if (!isDone) state.SkipWithError("the keyboard did not take part");
    state.SetIterationTime(elapsed.count() / 1000.0);
    total += elapsed.count();
  }
  const double mean = total / static_cast<double>(state.iterations());
  state.counters["floor_ms"] = floor;
  state.counters["over_ms"] = mean - floor;
  state.counters["ratio"] = mean / floor;
}

void SendPreset(benchmark::State& state) {
  Rig rig(static_cast<Poll>(state.range(0)));
  TimeAlone(state, (kSendPieces - 1) * kPause, [&] { return rig.manager->SendPresetToMidiDevice(5) >= 0; });
}
BENCHMARK(SendPreset)
    ->ArgName("poll_running")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

void FetchPreset(benchmark::State& state) {
  Rig rig(static_cast<Poll>(state.range(0)));
  const auto delay = std::chrono::milliseconds(state.range(1));
  rig.keyboard.SetReplyDelay(delay);
  TimeAlone(state, FetchFloor(Milliseconds(delay).count()),
            [&] { return rig.manager->GetPresetFromMidiDevice(5) == S_OK; });
}
BENCHMARK(FetchPreset)
    ->ArgNames({"poll_running", "reply_delay_ms"})
    ->ArgsProduct({{0, 1}, {0, 5, 50}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

// The plain alternative: the nine pieces of a send handed straight to the
// port layer, each at least the pause after the previous one, with no
// manager, no identity exchange and no poll.
void PlainPacedSend(benchmark::State& state) {
  Rig rig(Poll::Idle);
  RCPtr<LMidiRenderPort> port;
  rig.comm->OpenRenderPort(StringW(Simulated::kSimulatedProtocolOutput), port);
  MidiMessage piece;
  piece.SetCount(KeyboardSysEx::kPieceLength);
  TimeAlone(state, (kSendPieces - 1) * kPause, [&] {
    auto turn = std::chrono::steady_clock::now();
    for (int i = 0; i < kSendPieces; ++i) {
      if (i > 0) std::this_thread::sleep_until(turn + kTiming.piecePause);
      if (rig.comm->SendBytes(port, piece) < 0) return false;
      turn = std::chrono::steady_clock::now();
    }
    return true;
  });
}
BENCHMARK(PlainPacedSend)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
