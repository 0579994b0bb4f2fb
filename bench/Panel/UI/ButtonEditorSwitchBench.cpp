// Switching the button-control editor from one element to another: the
// record of a CC-absolute push button, then that of a latching note pad
// (another page, other values), each shown and the window painted, in the
// main window built headless. The goal is half a 60 Hz frame (8.3 ms) per
// switch; the benchmark reports the switch's time, its ratio to that half
// frame ("half_frame_ratio", goal <= 1) and, measured beside it in the same
// run, the ratio to the moveable-control editor's switch between two
// encoders' records ("times_moveable_switch").
#include "tools/skin-preview/EditorSkinPreview.h"

#include "Panel/UI/LDeviceView.h"
#include "Panel/UI/OrvaneSeriesCommon/LButtonControlEditPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LMoveableControlEditPanel.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kHalfFrameSeconds = 1.0 / 60.0 / 2.0;

void UseProjectFonts() { setenv("FONTCONFIG_FILE", HV_BENCH_FONTS_CONF, 1); }

HV::ElementRecord Record(std::initializer_list<int> bytes) {
  HV::ElementRecord record;
  record.SetCount(static_cast<uint32_t>(bytes.size()));
  uint32_t i = 0;
  for (int byte : bytes) *record.GetItemPtr(i++) = static_cast<signed char>(byte);
  return record;
}

// The main window, with one kind's edit panel shown.
struct Window {
  std::unique_ptr<HV::LControlFactory> factory;
  std::unique_ptr<HV::EditorSkinPreview> preview;

  bool Build(std::string& error) {
    factory = HV::EditorSkinPreview::LoadEditorDocuments(error);
    if (!factory) return false;
    preview = std::make_unique<HV::EditorSkinPreview>(*factory, HV::StringW(u"mainControl"));
    if (!preview->IsBuilt()) error = "the main window was not built";
    return preview->IsBuilt();
  }
  void Show(int32_t kind, int32_t sub) {
    if (const auto view = HV::DynamicCast<HV::LDeviceView>(preview->Find("viewDevice")))
      view->ShowEditPanel(kind, sub);
    preview->Paint();
  }
};

// Seconds per switch of editor between records a and b, each shown and painted.
template <class Editor>
double SecondsPerSwitch(Window& window, Editor& editor, const HV::ElementRecord& a,
                        const HV::ElementRecord& b, int switches) {
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < switches; ++i) {
    editor.SetParamRecord(i % 2 == 0 ? a : b);
    benchmark::DoNotOptimize(window.preview->Paint());
  }
  return std::chrono::duration<double>(Clock::now() - start).count() / switches;
}

void BM_ButtonEditorSwitchesBetweenTwoElements(benchmark::State& state) {
  UseProjectFonts();
  Window window;
  std::string error;
  if (!window.Build(error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  const auto buttonEditor = HV::DynamicCast<HV::LButtonControlEditPanel>(
      window.preview->Find("viewDevice/sustainEditPage/buttonTypePanel"));
  const auto moveableEditor = HV::DynamicCast<HV::LMoveableControlEditPanel>(
      window.preview->Find("viewDevice/knobEditPanel/moveableTypePanel"));
  if (!buttonEditor || !moveableEditor) {
    state.SkipWithError("an editor is missing");
    return;
  }
  const HV::ElementRecord pushButton = Record({0, 0, 20, 5, 0, 0, 0, 0, 0, 127});
  const HV::ElementRecord pad = Record({3, 1, 20, 60, 0, 0, 0, 0, 0, 100});
  const HV::ElementRecord encoder1 = Record({0, 0, 35, 0, 0, 127});
  const HV::ElementRecord encoder2 = Record({3, 1, 6, 0, 5, 2});
  constexpr int kSwitches = 20;
  double button = 0;
  double moveable = 0;
  for (auto _ : state) {
    state.PauseTiming();
    window.Show(HV::LDeviceView::kPedalPanel, 1);
    state.ResumeTiming();
    button += SecondsPerSwitch(window, *buttonEditor, pushButton, pad, kSwitches);
    state.PauseTiming();
    window.Show(HV::LDeviceView::kEncoderPanel, 0);
    moveable += SecondsPerSwitch(window, *moveableEditor, encoder1, encoder2, kSwitches);
    state.ResumeTiming();
  }
  const double iterations = static_cast<double>(state.iterations());
  state.counters["switch_ms"] = 1000 * button / iterations;
  state.counters["half_frame_ratio"] = button / iterations / kHalfFrameSeconds;
  state.counters["moveable_switch_ms"] = 1000 * moveable / iterations;
  state.counters["times_moveable_switch"] = button / moveable;
}
BENCHMARK(BM_ButtonEditorSwitchesBetweenTwoElements)->Unit(benchmark::kMillisecond);

}  // namespace
