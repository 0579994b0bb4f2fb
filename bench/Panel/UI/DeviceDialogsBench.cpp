// The device dialogs in the editor on the headless window system, against
// the simulated keyboard with the keyboard's own timing:
//  - a preset sent and fetched, and the 14 global settings sent and fetched,
//    through the dialogs (busy runner, worker thread, message box) against
//    the manager's own calls on the calling thread, interleaved in the same
//    run; each reports the dialog's time per transfer, the manager's beside
//    it ("manager_ms") and their ratio ("times_manager"); the goal is <= 1.05;
//  - the main window's frame interval while a transfer waits for a silent
//    keyboard (ten tries of half a second), every frame asked for at once,
//    against the same window's frame interval with no transfer running
//    ("idle_ms") and their ratio ("times_idle"); the goal is <= 2.
#include "HVFramework/ControlBase/Views/LDialog.h"
#include "HVFramework/Notification/RuntimeNotificationNames.h"
#include "HVFramework/Platform/Midi/LoopbackMidiSystem.h"
#include "HVFramework/Platform/Midi/MidiPlatform.h"
#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"
#include "Panel/Engine/PresetEditorCommon/LMidiManager.h"
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboardPorts.h"
#include "Panel/UI/LGetPresetFromMidiDeviceDlg.h"
#include "Panel/UI/LGlobalSettingsDlg.h"
#include "Panel/UI/LSendPresetToMidiDeviceDlg.h"
#include "tests/support/EditorSession.h"
#include "tests/support/NotificationCallback.h"
#include "tests/support/TemporaryHome.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace HV {
namespace {

using Clock = std::chrono::steady_clock;
using Test::LiveEditor;

constexpr int kRounds = 10;
constexpr int32_t kSlot = 5;

// The editor with the simulated keyboard plugged in; body runs at its first frame.
void RunWithKeyboard(benchmark::State& state, const std::function<void(Simulated::SimulatedKeyboard&)>& setUp,
                     const std::function<void(LiveEditor&)>& body) {
  setenv("FONTCONFIG_FILE", HV_BENCH_FONTS_CONF, 1);
  static Test::TemporaryHome home;
  const RCPtr<Platform::LLoopbackMidiSystem> midi = Platform::LLoopbackMidiSystem::Create();
  Platform::LMidiPlatform::Install(midi);
  Simulated::SimulatedKeyboard keyboard;
  Simulated::AttachSimulatedKeyboard(*midi, keyboard);
  setUp(keyboard);
  Platform::HeadlessWindowSystem system;
  std::string failure;
  Test::RunEditorSession(system, LApplication::EngineParts::Program(),
                   [&](LiveEditor& editor) -> std::optional<int> {
                     body(editor);
                     return 0;
                   },
                   failure);
  Simulated::DetachSimulatedKeyboard(keyboard);
  Platform::LMidiPlatform::Install(nullptr);
  midi->WaitForCallbacks();
  if (!failure.empty()) state.SkipWithError(failure.c_str());
}

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

template <class Call>
double TimeOf(Call&& call) {
  const Clock::time_point start = Clock::now();
  call();
  return Milliseconds(Clock::now() - start);
}

// Rounds of the dialog's transfer and the manager's, interleaved.
void Compare(benchmark::State& state, const std::function<bool()>& throughDialog,
             const std::function<bool()>& throughManager) {
  double dialog = 0, manager = 0;
  bool allDone = true;
  for (int round = 0; round < kRounds; ++round) {
    dialog += TimeOf([&] { allDone &= throughDialog(); });
    manager += TimeOf([&] { allDone &= throughManager(); });
  }
  if (!allDone) state.SkipWithError("a transfer failed");
  state.SetIterationTime(dialog / kRounds / 1000);
  state.counters["manager_ms"] = manager / kRounds;
  state.counters["times_manager"] = dialog / manager;
}

template <class Dialog>
RCPtr<Dialog> Make(LiveEditor& editor, const char16_t* name) {
  return DynamicCast<Dialog>(editor.application.CreateControl(StringW(name), nullptr));
}

void BM_PresetSend(benchmark::State& state) {
  for (auto _ : state) {
    RunWithKeyboard(state, [](auto&) {}, [&](LiveEditor& editor) {
      const auto dialog = Make<LSendPresetToMidiDeviceDlg>(editor, u"dialogSendPreset");
      const RCPtr<LMidiManager> manager = LApplication::GetMidiManager();
      Compare(
          state, [&] { return dialog->TransferSlot(kSlot).value_or(-1) >= 0; },
          [&] { return manager->SendPresetToMidiDevice(kSlot) >= 0; });
    });
  }
}
BENCHMARK(BM_PresetSend)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_PresetFetch(benchmark::State& state) {
  for (auto _ : state) {
    RunWithKeyboard(state, [](auto&) {}, [&](LiveEditor& editor) {
      const auto dialog = Make<LGetPresetFromMidiDeviceDlg>(editor, u"dialogRetrievePresetFromHardware");
      const RCPtr<LMidiManager> manager = LApplication::GetMidiManager();
      Compare(
          state, [&] { return dialog->TransferSlot(kSlot).value_or(-1) >= 0; },
          [&] {
            // The fetched values reach the panels either way: the dialog's
            // loop hands them on while it runs.
            const bool done = manager->GetPresetFromMidiDevice(kSlot) >= 0;
            editor.Drain();
            return done;
          });
    });
  }
}
BENCHMARK(BM_PresetFetch)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// The manager's part of a global transfer: the firmware, then each of the 14.
bool ManagerGlobals(LMidiManager& manager, bool isSend, const std::vector<LGlobalSettingsDlg::Outgoing>& settings) {
  if (!manager.IsDeviceFirmwareVersionUseable()) return false;
  for (const LGlobalSettingsDlg::Outgoing& setting : settings) {
    const HResult result = isSend ? manager.SetNonPresetParameter(setting.key, setting.value, true)
                                  : manager.RequestNonPresetParameterFromDevice(setting.key, true);
    if (result < 0) return false;
  }
  return true;
}

void BM_GlobalSettings(benchmark::State& state) {
  const bool isSend = state.range(0) != 0;
  state.SetLabel(isSend ? "send" : "fetch");
  for (auto _ : state) {
    RunWithKeyboard(state, [](auto&) {}, [&](LiveEditor& editor) {
      const auto dialog = Make<LGlobalSettingsDlg>(editor, u"globalEditorControl");
      const RCPtr<LMidiManager> manager = LApplication::GetMidiManager();
      // The keyboard's own values make every setting sendable.
      dialog->FetchSettings();
      std::optional<LGlobalSettingsDlg::Refusal> refusal;
      const std::vector<LGlobalSettingsDlg::Outgoing> settings = dialog->ComputeOutgoing(refusal);
      Compare(
          state,
          [&] { return (isSend ? dialog->SendSettings() : dialog->FetchSettings()).value_or(-1) >= 0; },
          [&] { return !refusal && ManagerGlobals(*manager, isSend, settings); });
    });
  }
}
BENCHMARK(BM_GlobalSettings)->Arg(1)->Arg(0)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// The main window's mean frame interval over a stretch of idle passes in
// which every pass asks for a whole new frame: while the dialog's fetch waits
// for the silent keyboard, and as long again with nothing running.
void BM_FrameIntervalDuringWait(benchmark::State& state) {
  for (auto _ : state) {
    RunWithKeyboard(state, [](auto& keyboard) { keyboard.SetAnswering(false); }, [&](LiveEditor& editor) {
      const auto dialog = Make<LGlobalSettingsDlg>(editor, u"globalEditorControl");
      OSWindow& main = *editor.application.GetMainWindow();
      LBusyRunner& runner = editor.application.GetBusyRunner();
      // Frames counted by the idle passes that see the last one presented.
      struct Stretch {
        int frames = 0;
        Clock::time_point first, last;
        double MeanMilliseconds() const { return frames > 1 ? Milliseconds(last - first) / (frames - 1) : 0; }
      } waiting, idle;
      bool isWaitOver = false;
      const RCPtr<Test::NotificationCallback> pass(new Test::NotificationCallback([&] {
        Stretch& stretch = runner.IsBusy() ? waiting : idle;
        if (!runner.IsBusy() && waiting.frames > 0) isWaitOver = true;
        if (&stretch == &idle && !isWaitOver) return;
        if (main.NeedsPaint()) return;  // the frame asked for is not out yet
        const Clock::time_point now = Clock::now();
        if (stretch.frames++ == 0) stretch.first = now;
        stretch.last = now;
        const RectT<int32_t> client = main.GetClientRect();
        main.InvalidateRect({0, 0, client.width, client.height});
        if (&stretch == &idle && stretch.last - stretch.first >= waiting.last - waiting.first)
          dialog->Close(LDialog::kOK);
      }));
      pass->RegisterNotification(RCPtr<LNotificationDistributor>(editor.window.Get()), kNidIdle);
      editor.application.RunModalWindow(dialog);  // fetches on opening; the wait is five seconds
      pass->UnregisterAllNotifications();
      state.SetIterationTime(waiting.MeanMilliseconds() / 1000);
      state.counters["frames"] = waiting.frames;
      state.counters["idle_ms"] = idle.MeanMilliseconds();
      state.counters["times_idle"] = waiting.MeanMilliseconds() / idle.MeanMilliseconds();
    });
  }
}
BENCHMARK(BM_FrameIntervalDuringWait)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace HV
