#include "tools/gallery/GalleryScene.h"

#include "HVFramework/Platform/Graphics/PngCodec.h"
#include "tests/support/ChildProgram.h"
#include "tests/support/PrivateDisplay.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace HV::Gallery {
namespace {

using Test::PrivateDisplay;

// The gallery program run as a child process with the tests' fonts and its
// first frame's time on standard output.
class GalleryProcess : public Test::ChildProgram {
 public:
  explicit GalleryProcess(const std::vector<std::string>& options, const std::string& display = "")
      : ChildProgram(HV_GALLERY_PROGRAM, options, Settings(options, display), "gallery") {}

 private:
  static std::vector<std::string> Settings(const std::vector<std::string>& options, const std::string& display) {
    // The leak checker stays on (a leak makes the exit status fail), except
    // for OpenGL: Mesa's unloaded driver leaves blocks no name can suppress.
    const bool isOpenGL = std::find(options.begin(), options.end(), "opengl") != options.end();
    std::vector<std::string> settings = {std::string("FONTCONFIG_FILE=") + HV_TEST_FONTS_CONF,
                                         isOpenGL ? "ASAN_OPTIONS=detect_leaks=0" : "ASAN_OPTIONS=detect_leaks=1",
                                         "HV_GALLERY_TIMING=1"};
    if (!display.empty()) settings.push_back("DISPLAY=" + display);
    return settings;
  }
};

// Alt+F4 to the gallery's window.
void PressAltF4(const PrivateDisplay& display, pid_t pid) { Test::PressAltF4(display, pid, "^HV Gallery$"); }

TEST(GalleryDisplay, AltF4ClosesTheGalleryWithStatusZero) {
  PrivateDisplay display;
  ASSERT_FALSE(display.GetName().empty());
  GalleryProcess gallery({"--instance-name", "gallery-alt-f4-" + std::to_string(getpid())}, display.GetName());
  ASSERT_TRUE(gallery.IsRunning());
  ASSERT_TRUE(gallery.WaitForLine("hv-gallery: first frame presented at "));
  // Without a desktop that knows Alt+F4, the gallery takes it as its close request.
  PressAltF4(display, gallery.GetPid());
  EXPECT_EQ(gallery.Wait(), 0);
}

TEST(GalleryDisplay, ASecondGalleryHandsItsCommandLineToTheFirstAndExitsZero) {
  PrivateDisplay display;
  ASSERT_FALSE(display.GetName().empty());
  const std::string name = "gallery-second-" + std::to_string(getpid());
  GalleryProcess first({"--instance-name", name, "--still"}, display.GetName());
  ASSERT_TRUE(first.IsRunning());
  ASSERT_TRUE(first.WaitForLine("hv-gallery: first frame presented at "));

  GalleryProcess second({"--instance-name", name, "--frames", "3", "--still"}, display.GetName());
  ASSERT_TRUE(second.IsRunning());
  EXPECT_EQ(second.ReadLine(), "hv-gallery: the running gallery has the command line");
  EXPECT_EQ(second.Wait(), 0);
  std::string received;
  ASSERT_TRUE(first.WaitForLine("hv-gallery: another instance was started with: ", &received));
  EXPECT_NE(received.find(" --instance-name " + name + " --frames 3 --still"), std::string::npos) << received;

  PressAltF4(display, first.GetPid());
  EXPECT_EQ(first.Wait(), 0);
}

bool TakeScreenshot(const std::string& renderer, const std::string& path, Platform::BgraImage& shot) {
  GalleryProcess gallery({"--renderer", renderer, "--screenshot", path});
  return gallery.IsRunning() && gallery.Wait() == 0 && Platform::DecodePngFile(path, shot);
}

uint32_t Shown(const Platform::BgraImage& image, int32_t x, int32_t y) {
  const uint8_t* p = &image.pixels[(size_t(y) * image.width + x) * 4];
  return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

int32_t LargestChannelDifference(uint32_t a, uint32_t b) {
  int32_t largest = 0;
  for (int shift : {0, 8, 16})
    largest = std::max(largest, std::abs(int32_t((a >> shift) & 0xFF) - int32_t((b >> shift) & 0xFF)));
  return largest;
}

TEST(GalleryDisplay, OpenGLWindowShowsTheSceneAsThe2DRendererDoes) {
  HV::Test::TemporaryFolder folder;
  Platform::BgraImage opengl, cairo;
  ASSERT_TRUE(TakeScreenshot("opengl", folder.GetPath() + "/opengl.png", opengl));
  ASSERT_TRUE(TakeScreenshot("gdiplus", folder.GetPath() + "/2d.png", cairo));
  ASSERT_EQ(opengl.width, GalleryScene::kWidth);
  ASSERT_EQ(opengl.height, GalleryScene::kHeight);
  // The probes sit on shapes, bitmaps and fills, away from text and edges:
  // the two renderers must agree there, up to rounding.
  for (const GalleryScene::Probe& probe : GalleryScene::GetProbes()) {
    EXPECT_LE(LargestChannelDifference(Shown(opengl, probe.x, probe.y), Shown(cairo, probe.x, probe.y)), 2)
        << probe.what << std::hex << ": OpenGL " << Shown(opengl, probe.x, probe.y) << ", 2-D "
        << Shown(cairo, probe.x, probe.y);
    if (probe.argb != 0) {
      EXPECT_EQ(Shown(opengl, probe.x, probe.y), probe.argb & 0xFFFFFF) << probe.what;
    }
  }
}

TEST(GalleryDisplay, TheSkinnedGalleryShowsItsWindowAndClosesOnAltF4) {
  HV::Test::TemporaryFolder folder;
  const std::string path = folder.GetPath() + "/skin.png";
  Platform::BgraImage shot;
  {
    GalleryProcess gallery({"--skin", "--screenshot", path});
    ASSERT_TRUE(gallery.IsRunning());
    ASSERT_EQ(gallery.Wait(), 0);
  }
  ASSERT_TRUE(Platform::DecodePngFile(path, shot));
  ASSERT_EQ(shot.width, GalleryScene::kWidth);
  // The window's solid fill where no control is, the selected radio
  // button's accent, the progress bar's bar and the status bar.
  EXPECT_EQ(Shown(shot, 600, 485), 0x24282Eu);
  EXPECT_EQ(Shown(shot, 160, 120), 0x2E7DD7u);
  EXPECT_EQ(Shown(shot, 120, 338), 0x2E7DD7u);
  EXPECT_EQ(Shown(shot, 400, 590), 0x1A1D21u);

  // Alt+F4 travels as a key to the application's hot keys, which ask the
  // application to exit.
  PrivateDisplay display;
  ASSERT_FALSE(display.GetName().empty());
  GalleryProcess gallery({"--skin", "--instance-name", "gallery-skin-" + std::to_string(getpid())},
                         display.GetName());
  ASSERT_TRUE(gallery.IsRunning());
  ASSERT_TRUE(gallery.WaitForLine("hv-gallery: first frame presented at "));
  PressAltF4(display, gallery.GetPid());
  EXPECT_EQ(gallery.Wait(), 0);
}

// Runs xdotool actions on the gallery's display once the gallery said its
// window is active and the window is mapped (it may take the focus before it
// shows). The window is the display's only one, at (64, 64) (no desktop moves
// it), so pointer positions are given on the screen: focusing it again races
// with the window system's own focus handling, and keys sent while the focus
// comes back are lost.
void OnGalleryDisplay(const PrivateDisplay& display, const std::string& actions) {
  Test::XdotoolOnDisplay(display, "search --sync --onlyvisible --name '^HV Gallery$' " + actions);
}

// The number after prefix in the next line that starts with it; -1 when the output ends first.
int ReadReportedNumber(GalleryProcess& gallery, const std::string& prefix) {
  std::string line;
  if (!gallery.WaitForLine(prefix, &line)) return -1;
  return std::atoi(line.c_str() + prefix.size());
}

// The skinned gallery's controls in its window (see GallerySkin.xml):
// centres in window coordinates.
constexpr int kWindowX = 64, kWindowY = 64;
constexpr int kTextBoxX = 139, kTextBoxY = 205;
constexpr int kClickButtonX = 83, kClickButtonY = 90;
constexpr int kSliderY = 537, kSliderThumbX = 139, kSliderEndX = 236;
constexpr int kKnobX = 348, kKnobY = 528;
constexpr int kFileTitleX = 438, kFileTitleY = 23;
constexpr int kDialogButtonX = 91, kDialogButtonY = 465;

class SkinnedGalleryDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(display.GetName().empty());
    ASSERT_TRUE(gallery.IsRunning());
    // Keys go to the active window only.
    ASSERT_TRUE(gallery.WaitForLine("hv-gallery: the window is active"));
  }
  void TearDown() override {
    PressAltF4(display, gallery.GetPid());
    EXPECT_EQ(gallery.Wait(), 0);
  }
  void Act(const std::string& actions) { OnGalleryDisplay(display, actions); }
  // A point of the window, on the screen.
  static std::string At(int x, int y) {
    return "mousemove " + std::to_string(x + kWindowX) + " " + std::to_string(y + kWindowY);
  }

  PrivateDisplay display;
  GalleryProcess gallery{{"--skin", "--instance-name", "gallery-input-" + std::to_string(getpid())},
                         display.GetName()};
};

TEST_F(SkinnedGalleryDisplay, TypedTextIsEchoedAndTheButtonCountsItsClicks) {
  Act(At(kTextBoxX, kTextBoxY) + " click 1");
  Act("type 'Hello gallery'");
  Act("key Return");
  std::string line;
  ASSERT_TRUE(gallery.WaitForLine("hv-gallery: Entered: ", &line));
  EXPECT_EQ(line, "hv-gallery: Entered: Hello gallery");
  Act(At(kClickButtonX, kClickButtonY) + " click 1");
  ASSERT_TRUE(gallery.WaitForLine("hv-gallery: Clicked ", &line));
  EXPECT_EQ(line, "hv-gallery: Clicked 1 time");
}

TEST_F(SkinnedGalleryDisplay, DraggingTheSliderAndTheKnobChangesTheirValues) {
  // The slider's thumb, from the middle (64) to the track's end.
  Act(At(kSliderThumbX, kSliderY) + " mousedown 1 " + At(kSliderThumbX + 40, kSliderY) + " " +
      At(kSliderEndX, kSliderY) + " mouseup 1");
  int value = ReadReportedNumber(gallery, "hv-gallery: Slider: ");
  EXPECT_GT(value, 64);
  // Upwards on the knob turns it up.
  Act(At(kKnobX, kKnobY) + " mousedown 1 " + At(kKnobX, kKnobY - 20) + " " + At(kKnobX, kKnobY - 40) +
      " mouseup 1");
  value = ReadReportedNumber(gallery, "hv-gallery: Knob: ");
  EXPECT_GT(value, 64);
}

// Without a window manager nobody hands the keyboard back when the dialog's
// window goes: the gallery's window asks for it again.
TEST_F(SkinnedGalleryDisplay, AfterTheDialogClosesTheWindowTakesKeysAgain) {
  Act(At(kDialogButtonX, kDialogButtonY) + " click 1");
  ASSERT_TRUE(gallery.WaitForLine("hv-gallery: the window is inactive"));
  Act("key Return");  // the dialog's OK button has the focus
  std::string line;
  ASSERT_TRUE(gallery.WaitForLine("hv-gallery: Dialog closed with ", &line));
  EXPECT_EQ(line, "hv-gallery: Dialog closed with OK");
  ASSERT_TRUE(gallery.WaitForLine("hv-gallery: the window is active"));
  Act(At(kTextBoxX, kTextBoxY) + " click 1");
  Act("type 'again'");
  Act("key Return");
  ASSERT_TRUE(gallery.WaitForLine("hv-gallery: Entered: ", &line));
  EXPECT_EQ(line, "hv-gallery: Entered: again");
}

// The menu bar: a click on "File" opens its menu, which takes the keys; Down
// and Return choose its first item, Exit, and the application exits.
TEST(SkinnedGalleryMenuDisplay, ExitChosenFromTheFileMenuEndsTheGalleryWithStatusZero) {
  PrivateDisplay display;
  ASSERT_FALSE(display.GetName().empty());
  GalleryProcess gallery({"--skin", "--instance-name", "gallery-menu-" + std::to_string(getpid())},
                         display.GetName());
  ASSERT_TRUE(gallery.IsRunning());
  ASSERT_TRUE(gallery.WaitForLine("hv-gallery: the window is active"));
  OnGalleryDisplay(display, "mousemove " + std::to_string(kWindowX + kFileTitleX) + " " +
                                std::to_string(kWindowY + kFileTitleY) + " click 1 key Down key Return");
  EXPECT_EQ(gallery.Wait(), 0);
}

}  // namespace
}  // namespace HV::Gallery
