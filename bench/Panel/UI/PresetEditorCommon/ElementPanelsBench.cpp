// The element panels in the editor run headless (its real skin and engine,
// a loopback MIDI system without a keyboard, a home of its own), measured
// against a plain alternative in the same run:
// - a tile click to its edit panel shown, bound, filled with the engine's
//   answer and painted, against one 60 Hz frame (counter "of_a_frame"; goal
//   at most 0.5);
// - one element's record shown by its edit panel (editor and tile), against
//   setting the same values on bare controls of the same kinds (counter
//   "ratio"; goal at most 2).
#include "HVFramework/Application/ApplicationRunner.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Window/OSWindow.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Platform/Midi/LoopbackMidiSystem.h"
#include "HVFramework/Platform/Midi/MidiPlatform.h"
#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"
#include "Panel/UI/EditorProgram.h"
#include "Panel/UI/LDeviceView.h"
#include "Panel/UI/LMainControl.h"
#include "Panel/UI/PresetEditorCommon/LEncoderGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LFaderGroupPanel.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using namespace HV;
using Clock = std::chrono::steady_clock;

constexpr double kFrameSeconds = 1.0 / 60.0;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// A fresh home for the editor's settings, gone afterwards.
class ScratchHome {
 public:
  ScratchHome() : mFolder(std::filesystem::temp_directory_path() / ("panels-bench-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(mFolder / "runtime");
    std::filesystem::permissions(mFolder / "runtime", std::filesystem::perms::owner_all);
    setenv("HOME", mFolder.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (mFolder / "runtime").c_str(), 1);
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) unsetenv(name);
  }
  ~ScratchHome() { std::filesystem::remove_all(mFolder); }

 private:
  std::filesystem::path mFolder;
};

struct LiveEditor {
  OSWindow& window;
  LDeviceView& deviceView;
  void Drain() const { GetApplicationNotificationCenter()->ProcessNotifications(false); }
};

// Runs the editor headless and hands it to body at its first frame; false
// when it did not get that far.
bool RunEditor(benchmark::State& state, const std::function<void(LiveEditor&)>& body) {
  setenv("FONTCONFIG_FILE", HV_BENCH_FONTS_CONF, 1);
  ScratchHome home;
  const RCPtr<Platform::LLoopbackMidiSystem> midi = Platform::LLoopbackMidiSystem::Create();
  Platform::LMidiPlatform::Install(midi);
  ApplicationRunner::Options options;
  options.isSingleInstance = false;
  options.languageId = 0x0409;
  ApplicationRunner runner(Editor::MakeEditorProgram([](std::string&) -> std::unique_ptr<Platform::IWindowSystem> {
                             return std::make_unique<Platform::HeadlessWindowSystem>();
                           }),
                           options);
  bool reached = false;
  runner.SetFirstFrameHook([&](LApplicationBase& application) -> std::optional<int> {
    OSWindow* window = application.GetMainWindow();
    const auto main = window ? DynamicCast<LMainControl>(window->GetRootWindow()->GetRootControl()) : nullptr;
    const RCPtr<LDeviceView> view = main ? main->GetDeviceView() : nullptr;
    if (!view) return 1;
    reached = true;
    LiveEditor editor{*window, *view};
    editor.Drain();
    body(editor);
    return 0;
  });
  runner.Run("tarsel-preset-editor");
  Platform::LMidiPlatform::Install(nullptr);
  midi->WaitForCallbacks();
  if (!reached) state.SkipWithError("the editor did not start");
  return reached;
}

RCPtr<LControl> ChildAt(RCPtr<LControl> control, std::initializer_list<const char16_t*> path) {
  for (const char16_t* name : path) control = control ? control->FindChildControl(StringW(name)) : nullptr;
  return control;
}

void Click(const RCPtr<LControl>& tile) {
  ChildAt(tile, {u"button"})->SendNotification(LNotification::Create(kNidLeftClick));
}

Variant Value(std::initializer_list<uint8_t> bytes) {
  std::vector<uint8_t> raw(bytes);
  Variant value;
  value.SetBytes(raw.data(), static_cast<uint32_t>(raw.size()));
  return value;
}

void BM_TileClickToEditPanelPaintedAgainstAFrame(benchmark::State& state) {
  RunEditor(state, [&](LiveEditor& editor) {
    const auto encoders = DynamicCast<LEncoderGroupPanel>(editor.deviceView.FindChildControl(StringW(u"encoders")));
    if (!encoders) return state.SkipWithError("no encoders");
    editor.window.Paint();
    double total = 0;
    uint32_t turn = 0;
    for (auto _ : state) {
      // Another kind's edit panel first, so that each click shows the
      // encoders' panel anew; two tiles in turn, so that each click selects
      // another element and rebinds.
      editor.deviceView.ShowEditPanel(LDeviceView::kFaderPanel, 0);
      editor.window.Paint();
      const Clock::time_point start = Clock::now();
      Click(encoders->GetTile(turn++ % 2));
      editor.Drain();
      if (!editor.window.NeedsPaint()) return state.SkipWithError("a click left nothing to paint");
      editor.window.Paint();
      const double seconds = Seconds(Clock::now() - start);
      state.SetIterationTime(seconds);
      total += seconds;
    }
    state.counters["of_a_frame"] = state.iterations() ? total / static_cast<double>(state.iterations()) / kFrameSeconds : 0;
  });
}
BENCHMARK(BM_TileClickToEditPanelPaintedAgainstAFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

// The controls the moveable-control editor sets for a CC absolute record.
struct BareControls {
  explicit BareControls(LMoveableControlEditPanel& editor, const RCPtr<LControl>& view) {
    tabs = editor.GetTabControl();
    const RCPtr<LControl> page = tabs->GetPage(StringW(u"ccAbsolutePage"));
    channel = DynamicCast<LComboBox>(ChildAt(page, {u"midiChannel", u"comboBox"}));
    number = DynamicCast<LNumericUpDown>(ChildAt(page, {u"cc", u"ccSelector", u"numericUpDown"}));
    min = DynamicCast<LNumericUpDown>(ChildAt(page, {u"minMaxSelectors", u"min", u"numericUpDown"}));
    max = DynamicCast<LNumericUpDown>(ChildAt(page, {u"minMaxSelectors", u"max", u"numericUpDown"}));
    channelText = DynamicCast<LLabel>(ChildAt(view, {u"midiChannel", u"label"}));
    infoText = DynamicCast<LLabel>(ChildAt(view, {u"infoLabel"}));
  }
  bool IsComplete() const { return tabs && channel && number && min && max && channelText && infoText; }
  static void Set(LNumericUpDown& upDown, double value) { upDown.SetNormalizedValue(upDown.ValueToNormalized(value)); }
  void Show(int32_t channelEntry, double cc, double low, double high, const StringW& channelLabel,
            const StringW& info) {
    tabs->SelectPage(StringW(u"ccAbsolutePage"));
    channel->SetSelectedIndex(channelEntry);
    Set(*number, cc);
    Set(*min, low);
    Set(*max, high);
    channelText->SetText(channelLabel);
    infoText->SetText(info);
  }

  RCPtr<LTabControl> tabs;
  RCPtr<LComboBox> channel;
  RCPtr<LNumericUpDown> number, min, max;
  RCPtr<LLabel> channelText, infoText;
};

void BM_ShowOneRecordAgainstBareControls(benchmark::State& state) {
  RunEditor(state, [&](LiveEditor& editor) {
    const auto encoders = DynamicCast<LEncoderGroupPanel>(editor.deviceView.FindChildControl(StringW(u"encoders")));
    const auto faders = DynamicCast<LFaderGroupPanel>(editor.deviceView.FindChildControl(StringW(u"faders")));
    if (!encoders || !faders) return state.SkipWithError("no encoders or faders");
    Click(encoders->GetTile(0));
    editor.Drain();
    const RCPtr<LEncoderEditPanel> edit = encoders->GetEditPanel();
    const int32_t id = encoders->GetTile(0)->GetFirstParamID();
    // The bare side: an unbound editor and a tile of another kind, with
    // nothing listening to their controls.
    const RCPtr<LMoveableControlEditPanel> spare = faders->GetEditPanel()->GetEditor();
    spare->UnregisterAllNotifications();
    BareControls bare(*spare, faders->GetTile(0)->GetView());
    if (!bare.IsComplete()) return state.SkipWithError("the bare controls are missing");
    const Variant records[] = {Value({1, 0, 74, 0, 3, 120}), Value({2, 0, 10, 0, 0, 127})};
    const StringW channels[] = {StringW(u"CH:1"), StringW(u"CH:2")};
    const StringW infos[] = {StringW(u"CC:\n74"), StringW(u"CC:\n10")};
    const double values[][3] = {{74, 3, 120}, {10, 0, 127}};
    double panelTime = 0, bareTime = 0;
    uint32_t turn = 0;
    for (auto _ : state) {
      const uint32_t which = turn++ % 2;
      Clock::time_point start = Clock::now();
      edit->SetParamValueLocal(ParamDescriptor(id), records[which], false);
      const double shown = Seconds(Clock::now() - start);

      start = Clock::now();
      bare.Show(static_cast<int32_t>(which) + 1, values[which][0], values[which][1], values[which][2], channels[which],
                infos[which]);
      const double set = Seconds(Clock::now() - start);

      state.SetIterationTime(shown);
      panelTime += shown;
      bareTime += set;
    }
    state.counters["ratio"] = bareTime > 0 ? panelTime / bareTime : 0;
  });
}
BENCHMARK(BM_ShowOneRecordAgainstBareControls)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
