// The whole editor started headless as the program starts it, measured at its
// first frame:
// - a full repaint of the main window against plain Cairo painting the same
//   area with the same pictures (the keyboard picture under the device view,
//   the tile picture under every tile's button), in the same run; the goal is
//   at most 1.3 times the plain painting ("times_plain_cairo"); beside it,
//   the ratio to copying the same pictures prescaled ("times_prescaled_copy"),
//   the least any painter must do;
// - loading a preset file and showing it (the engine's values reaching every
//   panel, then the paint of what changed), against one 60 Hz frame
//   ("frames_of_60hz", goal <= 1).
//
// The plain alternative uses Cairo directly: this file is a measuring harness
// beside the program, not part of it.
#include "DeviceControl/GeneratedCode/Engine/Inc/ParameterizedModule.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "HVFramework/Application/ApplicationRunner.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/ControlBase/Window/OSWindow.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Platform/Midi/LoopbackMidiSystem.h"
#include "HVFramework/Platform/Midi/MidiPlatform.h"
#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"
#include "Panel/UI/EditorProgram.h"
#include "Panel/UI/LDeviceView.h"
#include "Panel/UI/LMainControl.h"
#include "Panel/UI/OrvaneSeriesCommon/MoveableControlRecord.h"
#include "tests/support/TemporaryHome.h"

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kFrameSeconds = 1.0 / 60.0;

// What the benchmarks work on: the running editor's main window.
struct Live {
  HV::OSWindow* main = nullptr;
  HV::RCPtr<HV::LRootWindow> window;
  HV::RCPtr<HV::LDeviceView> deviceView;
  std::string defaultPreset;  // the engine's values at start, saved
  std::string changedPreset;  // the same file with other values
};
Live* gLive = nullptr;

void Drain() { HV::GetApplicationNotificationCenter()->ProcessNotifications(false); }

// The plain painting: the window's background, the keyboard picture under the
// device view and the tile picture under each tile's button, each scaled from
// the same PNG the program draws from.
class PlainCairoScene {
 public:
  explicit PlainCairoScene(HV::LRootWindow& window) {
    const HV::LRootWindow::Rect client = window.GetScreenRect();
    mWidth = static_cast<int>(client.width);
    mHeight = static_cast<int>(client.height);
    mSurface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, mWidth, mHeight);
    mKeyboard = cairo_image_surface_create_from_png(TARSEL_BENCH_PICTURES "/Keyboard.png");
    mTiles = cairo_image_surface_create_from_png(TARSEL_BENCH_PICTURES "/Tiles.png");
    if (const HV::RCPtr<HV::LControl> root = window.GetRootControl()) CollectPlaces(*root, 0, 0);
  }
  ~PlainCairoScene() {
    if (mPrescaled) cairo_surface_destroy(mPrescaled);
    cairo_surface_destroy(mTiles);
    cairo_surface_destroy(mKeyboard);
    cairo_surface_destroy(mSurface);
  }
  PlainCairoScene(const PlainCairoScene&) = delete;
  PlainCairoScene& operator=(const PlainCairoScene&) = delete;

  bool IsReady() const {
    return cairo_surface_status(mKeyboard) == CAIRO_STATUS_SUCCESS &&
           cairo_surface_status(mTiles) == CAIRO_STATUS_SUCCESS;
  }
  size_t GetButtonCount() const { return mButtons.size(); }

  // Each picture scaled to its place at every paint.
  void Paint() {
    cairo_t* cr = cairo_create(mSurface);
    cairo_set_source_rgb(cr, 0.12, 0.13, 0.15);
    cairo_paint(cr);
    PaintScaled(cr, mKeyboard, mDeviceView);
    const double tileWidth = cairo_image_surface_get_width(mTiles) / 4.0;
    for (const HV::LControl::Rect& button : mButtons) PaintScaled(cr, mTiles, button, tileWidth);
    cairo_destroy(cr);
    cairo_surface_flush(mSurface);
  }

  // The pictures scaled to their places once, then only copied: the least
  // any painter of this picture must do each frame.
  void PaintPrescaled() {
    if (!mPrescaled) mPrescaled = Prescale();
    cairo_t* cr = cairo_create(mSurface);
    cairo_set_source_surface(cr, mPrescaled, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(mSurface);
  }

 private:
  cairo_surface_t* Prescale() {
    cairo_surface_t* scaled = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, mWidth, mHeight);
    std::swap(scaled, mSurface);
    Paint();
    std::swap(scaled, mSurface);
    return scaled;
  }

  // The device view's place and every shown tile button's, in window
  // coordinates (each control's rectangle is its parent's).
  void CollectPlaces(HV::LControl& control, double x, double y) {
    HV::LControl::ChildControlList& children = control.GetChildren();
    for (uint32_t i = 0; i < children.GetCount(); ++i) {
      const HV::RCPtr<HV::LControl>& child = children.GetAt(i);
      if (!child || !child->IsVisible()) continue;
      HV::LControl::Rect place = child->GetRect();
      place.x += x;
      place.y += y;
      if (child->GetName() == u"viewDevice") mDeviceView = place;
      if (child->GetName() == u"button") mButtons.push_back(place);
      CollectPlaces(*child, place.x, place.y);
    }
  }

  static void PaintScaled(cairo_t* cr, cairo_surface_t* picture, const HV::LControl::Rect& to, double sourceWidth = 0) {
    const double width = sourceWidth > 0 ? sourceWidth : cairo_image_surface_get_width(picture);
    const double height = cairo_image_surface_get_height(picture) / (sourceWidth > 0 ? 8.0 : 1.0);
    if (to.width <= 0 || to.height <= 0 || width <= 0 || height <= 0) return;
    cairo_save(cr);
    cairo_rectangle(cr, to.x, to.y, to.width, to.height);
    cairo_clip(cr);
    cairo_translate(cr, to.x, to.y);
    cairo_scale(cr, to.width / width, to.height / height);
    cairo_set_source_surface(cr, picture, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
  }

  int mWidth = 0;
  int mHeight = 0;
  cairo_surface_t* mSurface = nullptr;
  cairo_surface_t* mKeyboard = nullptr;
  cairo_surface_t* mTiles = nullptr;
  cairo_surface_t* mPrescaled = nullptr;
  HV::LControl::Rect mDeviceView;
  std::vector<HV::LControl::Rect> mButtons;
};

double SecondsOf(const std::function<void()>& work, int times) {
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < times; ++i) work();
  return std::chrono::duration<double>(Clock::now() - start).count() / times;
}

void BM_MainWindowFullRepaint(benchmark::State& state) {
  PlainCairoScene plain(*gLive->window);
  if (!plain.IsReady()) {
    state.SkipWithError("the pictures cannot be read");
    return;
  }
  double ours = 0;
  double theirs = 0;
  double copied = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    gLive->window->RedrawNow();
    ours += std::chrono::duration<double>(Clock::now() - start).count();
    state.PauseTiming();
    theirs += SecondsOf([&] { plain.Paint(); }, 1);
    copied += SecondsOf([&] { plain.PaintPrescaled(); }, 1);
    state.ResumeTiming();
  }
  state.counters["repaint_ms"] = 1000 * ours / static_cast<double>(state.iterations());
  state.counters["plain_cairo_ms"] = 1000 * theirs / static_cast<double>(state.iterations());
  state.counters["times_plain_cairo"] = ours / theirs;
  state.counters["times_prescaled_copy"] = ours / copied;
  state.counters["tiles_painted"] = static_cast<double>(plain.GetButtonCount());
}
BENCHMARK(BM_MainWindowFullRepaint)->Unit(benchmark::kMillisecond);

void BM_PlainCairoSameArea(benchmark::State& state) {
  PlainCairoScene plain(*gLive->window);
  for (auto _ : state) plain.Paint();
}
BENCHMARK(BM_PlainCairoSameArea)->Unit(benchmark::kMillisecond);

// Loads the two presets in turn, so that every load changes values the
// panels show; each load is followed by the paint of what it changed.
void BM_PresetLoadedAndShown(benchmark::State& state) {
  const HV::RCPtr<HV::LPresetManager> manager = gLive->deviceView->GetPresetManager();
  if (!manager) {
    state.SkipWithError("no preset manager");
    return;
  }
  bool changed = false;
  double seconds = 0;
  for (auto _ : state) {
    const std::string& path = changed ? gLive->changedPreset : gLive->defaultPreset;
    changed = !changed;
    const Clock::time_point start = Clock::now();
    const int32_t result = manager->Load(HV::StringW(path.c_str()));
    Drain();
    gLive->main->Paint();
    seconds += std::chrono::duration<double>(Clock::now() - start).count();
    if (result != 0) {
      state.SkipWithError("the preset did not load");
      return;
    }
  }
  state.counters["load_and_show_ms"] = 1000 * seconds / static_cast<double>(state.iterations());
  state.counters["frames_of_60hz"] = seconds / static_cast<double>(state.iterations()) / kFrameSeconds;
}
BENCHMARK(BM_PresetLoadedAndShown)->Unit(benchmark::kMillisecond);

// Gives each of the group's elements another controller number.
bool ChangeControllerNumbers(const HV::RCPtr<HV::LControl>& group, int32_t count) {
  auto* module = dynamic_cast<LParameterizedModule*>(group.Get());
  const HV::RCPtr<LRootModuleEngine> engine = HV::LApplication::GetRootModuleEngine();
  if (!module || !engine) return false;
  for (int32_t id = module->GetFirstParamID(); id < module->GetFirstParamID() + count; ++id) {
    HV::Variant value;
    if (HV::Failed(engine->GetParamValue(HV::ParamDescriptor(id), &value))) return false;
    uint32_t size = 0;
    const auto* data = static_cast<const uint8_t*>(value.GetData(&size));
    if (!data || size <= HV::MoveableControlRecord::kNumber) return false;
    std::vector<uint8_t> bytes(data, data + size);
    bytes[HV::MoveableControlRecord::kNumber] = static_cast<uint8_t>((bytes[HV::MoveableControlRecord::kNumber] + 1) % 128);
    HV::Variant changed;
    changed.SetBytes(bytes.data(), size);
    if (HV::Failed(engine->SetParamValue(HV::ParamDescriptor(id), changed))) return false;
  }
  return true;
}

// Saves the engine's values at start, then again with the encoders' and
// faders' controller numbers changed: a second preset whose load changes
// what the panels show.
bool WritePresets(Live& live, const std::string& folder) {
  const HV::RCPtr<HV::LPresetManager> manager = live.deviceView->GetPresetManager();
  live.defaultPreset = folder + "/default.tpr";
  live.changedPreset = folder + "/changed.tpr";
  if (!manager || manager->Save(HV::StringW(live.defaultPreset.c_str())) != 0) return false;
  if (!ChangeControllerNumbers(live.deviceView->FindChildControl(HV::StringW(u"encoders")), 32) ||
      !ChangeControllerNumbers(live.deviceView->FindChildControl(HV::StringW(u"faders")), 36))
    return false;
  Drain();
  return manager->Save(HV::StringW(live.changedPreset.c_str())) == 0 &&
         manager->Load(HV::StringW(live.defaultPreset.c_str())) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("FONTCONFIG_FILE", HV_BENCH_FONTS_CONF, 1);
  const HV::Test::TemporaryHome home;
  benchmark::Initialize(&argc, argv);
  const HV::RCPtr<HV::Platform::LLoopbackMidiSystem> midi = HV::Platform::LLoopbackMidiSystem::Create();
  HV::Platform::LMidiPlatform::Install(midi);

  HV::ApplicationRunner::Options options;
  options.isSingleInstance = false;
  options.languageId = 0x0409;
  HV::ApplicationRunner runner(
      HV::Editor::MakeEditorProgram(
          [](std::string&) -> std::unique_ptr<HV::Platform::IWindowSystem> {
            return std::make_unique<HV::Platform::HeadlessWindowSystem>();
          },
          HV::LApplication::EngineParts::Program()),
      options);
  int status = 0;
  runner.SetFirstFrameHook([&](HV::LApplicationBase& application) -> std::optional<int> {
    auto* editor = dynamic_cast<HV::LApplication*>(&application);
    HV::OSWindow* main = editor ? editor->GetMainWindow() : nullptr;
    const auto mainControl =
        main ? HV::DynamicCast<HV::LMainControl>(main->GetRootWindow()->GetRootControl()) : nullptr;
    Live live{main, main ? main->GetRootWindow() : nullptr, mainControl ? mainControl->GetDeviceView() : nullptr, "",
              ""};
    if (!live.window || !live.deviceView || !WritePresets(live, home.GetPath())) {
      status = 1;
      return 1;
    }
    Drain();
    gLive = &live;
    benchmark::RunSpecifiedBenchmarks();
    gLive = nullptr;
    return 0;
  });
  const int ran = runner.Run("tarsel-preset-editor");
  benchmark::Shutdown();
  HV::Platform::LMidiPlatform::Install(nullptr);
  midi->WaitForCallbacks();
  return status != 0 ? status : ran;
}
