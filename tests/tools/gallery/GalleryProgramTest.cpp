#include "tools/gallery/GalleryProgram.h"

#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"
#include "HVFramework/Platform/Core/VirtualClock.h"
#include "tests/support/TestFonts.h"

#include <gtest/gtest.h>

#include <thread>

namespace HV::Gallery {
namespace {

using Platform::WindowEvent;
using Platform::WindowEventKind;

// The gallery on a headless window system: ticks follow a virtual clock
// that each wait moves on, frames land in a memory presenter, and what the
// program says is kept.
struct GalleryFixture {
  explicit GalleryFixture(GalleryOptions options) : options(std::move(options)) {
    UseTestFonts();
    system.AdvanceClockInWaits(&clock);
    target.presenter = system.GetMemoryPresenter(window);
    program = std::make_unique<GalleryProgram>(system, window, &target, this->options);
    program->SetSay([this](const std::string& line) { said.push_back(line); });
    std::string error;
    EXPECT_TRUE(program->Start(error)) << error;
  }

  void Script(WindowEventKind kind, int32_t key = 0, uint32_t modifiers = 0) {
    WindowEvent event;
    event.kind = kind;
    event.window = window;
    event.key = key;
    event.modifiers = modifiers;
    system.Script(event);
  }
  const std::vector<std::vector<RectT<int32_t>>>& Presented() {
    return system.GetMemoryPresenter(window)->GetPresentedRects();
  }

  GalleryOptions options;
  Platform::VirtualClock clock{1000};
  Platform::HeadlessWindowSystem system;
  Platform::WindowId window = system.CreateWindow({"gallery", {0, 0, GalleryScene::kWidth, GalleryScene::kHeight}});
  PlatformWindow target;
  std::unique_ptr<GalleryProgram> program;
  std::vector<std::string> said;
};

GalleryOptions Frames(int64_t frames, bool isStill = false) {
  GalleryOptions options;
  options.frames = frames;
  options.isStill = isStill;
  return options;
}

const RectT<int32_t> kWhole{0, 0, GalleryScene::kWidth, GalleryScene::kHeight};

TEST(GalleryProgram, CloseRequestsEndTheProgramWithZeroBeforeAnyTick) {
  const struct {
    const char* what;
    WindowEventKind kind;
    int32_t key;
    uint32_t modifiers;
    bool isClose;
  } cases[] = {
      {"close box", WindowEventKind::Close, 0, 0, true},
      {"Alt+F4", WindowEventKind::KeyDown, 115, 0x40 | 0x80, true},
      {"F4 alone", WindowEventKind::KeyDown, 115, 0, false},
      {"Ctrl+F4", WindowEventKind::KeyDown, 115, 0x01, false},
  };
  for (const auto& c : cases) {
    GalleryFixture f(Frames(5));
    f.Script(c.kind, c.key, c.modifiers);
    EXPECT_EQ(f.program->Run(), 0) << c.what;
    // A close ends the loop in the round it arrives in; anything else runs the five ticks.
    EXPECT_EQ(f.program->GetFrame(), c.isClose ? 0u : 5u) << c.what;
    EXPECT_EQ(f.Presented().empty(), c.isClose) << c.what;
  }
}

TEST(GalleryProgram, PaintsTheWholeWindowWhenAskedAndOnlyTheBarOnTicks) {
  GalleryFixture f(Frames(3));
  f.program->SetFramePainted([&](uint32_t) {
    if (f.Presented().size() == 2) f.Script(WindowEventKind::Expose);
  });
  EXPECT_EQ(f.program->Run(), 0);
  const RectT<int32_t> bar = GalleryScene::GetMovingArea();
  // Frame 0 whole; tick 1 the bar; the expose the whole frame 1; ticks 2 and 3 the bar.
  const std::vector<std::vector<RectT<int32_t>>> expected = {{kWhole}, {bar}, {kWhole}, {bar}, {bar}};
  EXPECT_EQ(f.Presented(), expected);
}

TEST(GalleryProgram, StillGalleryPaintsOnlyWhatTheDesktopAsksFor) {
  GalleryFixture f(Frames(6, true));
  f.program->SetFramePainted([&](uint32_t) {
    if (f.Presented().size() == 1) f.Script(WindowEventKind::Resize);
  });
  EXPECT_EQ(f.program->Run(), 0);
  const std::vector<std::vector<RectT<int32_t>>> expected = {{kWhole}, {kWhole}};
  EXPECT_EQ(f.Presented(), expected);
  EXPECT_EQ(f.program->GetFrame(), 0u);
}

TEST(GalleryProgram, ClipboardAndMessageBoxKeys) {
  GalleryFixture f(Frames(2));
  f.Script(WindowEventKind::KeyDown, 'C', 0x01 | 0x02);
  f.Script(WindowEventKind::KeyDown, 'V', 0x01 | 0x04);
  f.Script(WindowEventKind::KeyDown, 112);
  f.system.ScriptMessageBoxAnswer(Platform::MessageBoxAnswer::Ok);
  EXPECT_EQ(f.program->Run(), 0);
  EXPECT_EQ(f.system.GetClipboardText(), "HV Gallery, frame 0");
  ASSERT_EQ(f.said.size(), 2u);
  EXPECT_EQ(f.said[1], "clipboard holds \"HV Gallery, frame 0\"");
  ASSERT_EQ(f.system.GetShownMessageBoxes().size(), 1u);
  EXPECT_EQ(f.system.GetShownMessageBoxes()[0].first, "HV Gallery");
}

TEST(GalleryProgramThreads, ForwardedCommandLinesAreSaidOnTheProgramsThread) {
  GalleryFixture f(Frames(3));
  const std::thread::id uiThread = std::this_thread::get_id();
  std::vector<std::thread::id> sayers;
  f.program->SetSay([&](const std::string& line) {
    sayers.push_back(std::this_thread::get_id());
    f.said.push_back(line);
  });
  f.program->SetFramePainted([&](uint32_t frame) {
    if (frame != 0) return;
    std::thread listener([&] { f.program->ReceiveCommandLine("hv-gallery --still"); });
    listener.join();
  });
  EXPECT_EQ(f.program->Run(), 0);
  ASSERT_EQ(f.said.size(), 1u);
  EXPECT_EQ(f.said[0], "another instance was started with: hv-gallery --still");
  EXPECT_EQ(sayers[0], uiThread);
}

bool Parse(std::vector<const char*> args, GalleryOptions& options) {
  args.insert(args.begin(), "hv-gallery");
  return ParseGalleryOptions(int(args.size()), args.data(), options);
}

TEST(GalleryOptions, ReadsEveryOption) {
  const struct {
    std::vector<const char*> args;
    std::string screenshot;
    int64_t frames;
    bool isStill;
    int32_t renderer;
    std::string instance;
  } cases[] = {
      {{}, "", -1, false, 1, "hv-gallery"},
      {{"--screenshot", "a.png", "--frames", "12"}, "a.png", 12, false, 1, "hv-gallery"},
      {{"--still", "--renderer", "opengl", "--instance-name", "t-1"}, "", -1, true, 0, "t-1"},
      {{"--renderer", "gdiplus", "--frames", "0"}, "", 0, false, 1, "hv-gallery"},
  };
  for (const auto& c : cases) {
    GalleryOptions options;
    ASSERT_TRUE(Parse(c.args, options));
    EXPECT_EQ(options.screenshot, c.screenshot);
    EXPECT_EQ(options.frames, c.frames);
    EXPECT_EQ(options.isStill, c.isStill);
    EXPECT_EQ(options.renderer, c.renderer);
    EXPECT_EQ(options.instanceName, c.instance);
  }
}

TEST(GalleryOptions, RefusesWhatItDoesNotKnow) {
  const std::vector<const char*> cases[] = {
      {"--renderer", "vulkan"},  {"--frames", "-1"},          {"--frames", "7x"},
      {"--frames"},              {"--instance-name", "../x"}, {"--instance-name", ""},
      {"--instance-name", ".x"}, {"--unknown", "x"},          {"stray"},
  };
  for (const auto& args : cases) {
    GalleryOptions options;
    EXPECT_FALSE(Parse(args, options)) << args[0] << " " << (args.size() > 1 ? args[1] : "");
  }
}

}  // namespace
}  // namespace HV::Gallery
