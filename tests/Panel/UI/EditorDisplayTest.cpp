// The editor program on a display of its own (a private Xvfb), with the
// simulated keyboard, an empty home and a runtime folder of its own: its
// window, its single instance and its way out.
#include "HVFramework/Platform/Graphics/PngCodec.h"
#include "tests/support/ChildProgram.h"
#include "tests/support/PrivateDisplay.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace HV::Test {
namespace {

constexpr const char* kFirstFrame = "tarsel-preset-editor: first frame presented at ";
// The main window as the skin gives it.
constexpr int kWindowX = 16, kWindowY = 40, kWindowWidth = 1248, kWindowHeight = 716;

// The home and runtime folder the editors of one test share.
class EditorHome {
 public:
  EditorHome() {
    std::filesystem::create_directory(GetHome());
    mkdir(GetRuntime().c_str(), 0700);
  }
  std::string GetHome() const { return mFolder.GetPath() + "/home"; }
  std::string GetRuntime() const { return mFolder.GetPath() + "/runtime"; }
  std::string GetUserFolder() const { return GetHome() + "/.config/Halvern/Tarsel Preset Editor"; }

 private:
  TemporaryFolder mFolder;
};

class EditorProcess : public ChildProgram {
 public:
  EditorProcess(const EditorHome& home, const PrivateDisplay& display)
      : ChildProgram(TARSEL_EDITOR_PROGRAM, {}, Settings(home, display), "editor") {}

 private:
  static std::vector<std::string> Settings(const EditorHome& home, const PrivateDisplay& display) {
    return {"HOME=" + home.GetHome(),
            "XDG_CONFIG_HOME=" + home.GetHome() + "/.config",
            "XDG_DATA_HOME=" + home.GetHome() + "/.local/share",
            "XDG_RUNTIME_DIR=" + home.GetRuntime(),
            "DISPLAY=" + display.GetName(),
            "TARSEL_MIDI=simulated",
            "TARSEL_TIMING=1",
            std::string("FONTCONFIG_FILE=") + HV_TEST_FONTS_CONF,
            // A leak makes the exit status fail.
            "ASAN_OPTIONS=detect_leaks=1"};
  }
};

// The editor's main window, found by its process and its caption: "WIDTHxHEIGHT", empty when none is found.
std::string FindWindowSize(const PrivateDisplay& display, pid_t pid) {
  const std::string geometry =
      RunOnDisplay(display, "xdotool search --sync --pid " + std::to_string(pid) + " --name '^Halvern$' getwindowgeometry");
  const size_t at = geometry.find("Geometry: ");
  if (at == std::string::npos) return "";
  return geometry.substr(at + 10, geometry.find('\n', at) - at - 10);
}

uint32_t Shown(const Platform::BgraImage& image, int32_t x, int32_t y) {
  const uint8_t* p = &image.pixels[(size_t(y) * image.width + x) * 4];
  return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

void PressAltF4(const PrivateDisplay& display, pid_t pid) { Test::PressAltF4(display, pid, "^Halvern$"); }

// A display of the test's own, large enough for the window, and one home
// for the editors the test starts.
class EditorDisplay : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(display.GetName().empty()); }
  // An editor, started and showing its first frame.
  std::unique_ptr<EditorProcess> Start() {
    auto editor = std::make_unique<EditorProcess>(home, display);
    EXPECT_TRUE(editor->IsRunning());
    EXPECT_TRUE(editor->WaitForLine(kFirstFrame));
    return editor;
  }

  PrivateDisplay display{"1600x1000x24"};
  EditorHome home;
};

TEST_F(EditorDisplay, ShowsItsFixedWindowAndEndsOnAltF4KeepingItsPlacement) {
  const std::unique_ptr<EditorProcess> started = Start();
  EditorProcess& editor = *started;

  // Captioned with the maker's name, at the skin's size.
  const std::string size = std::to_string(kWindowWidth) + "x" + std::to_string(kWindowHeight);
  EXPECT_EQ(FindWindowSize(display, editor.GetPid()), size);

  // What the screen shows: the skin drawn over the whole window (the empty
  // display is black), in the many colours of its panels, tiles and texts.
  TemporaryFolder shots;
  const std::string path = shots.GetPath() + "/screen.png";
  RunOnDisplay(display, "import -window root '" + path + "'");
  Platform::BgraImage screen;
  ASSERT_TRUE(Platform::DecodePngFile(path, screen));
  EXPECT_NE(Shown(screen, kWindowX + 2, kWindowY + 2), 0u);
  EXPECT_NE(Shown(screen, kWindowX + kWindowWidth - 3, kWindowY + kWindowHeight - 3), 0u);
  std::set<uint32_t> colours;
  for (int32_t y = kWindowY; y < kWindowY + kWindowHeight; y += 7)
    for (int32_t x = kWindowX; x < kWindowX + kWindowWidth; x += 7) colours.insert(Shown(screen, x, y));
  EXPECT_GT(colours.size(), 20u);

  // The desktop cannot size it: the window puts its own size back.
  XdotoolOnDisplay(display, "search --sync --pid " + std::to_string(editor.GetPid()) +
                                " --name '^Halvern$' windowsize --sync %1 800 600");
  EXPECT_EQ(FindWindowSize(display, editor.GetPid()), size);

  PressAltF4(display, editor.GetPid());
  EXPECT_EQ(editor.Wait(), 0);
  // The user's settings and the window's placement were written.
  EXPECT_TRUE(std::filesystem::is_regular_file(home.GetUserFolder() + "/UserSettings.ini"));
  bool hasPlacement = false;
  std::error_code missing;
  for (const auto& entry : std::filesystem::directory_iterator(home.GetUserFolder() + "/Profile", missing))
    if (entry.is_regular_file()) hasPlacement = true;
  EXPECT_TRUE(hasPlacement);
}

TEST_F(EditorDisplay, ASecondStartExitsZeroAndLeavesTheFirstRunning) {
  const std::unique_ptr<EditorProcess> started = Start();
  EditorProcess& first = *started;
  {
    EditorProcess second(home, display);
    ASSERT_TRUE(second.IsRunning());
    EXPECT_EQ(second.Wait(), 0);
  }
  EXPECT_TRUE(first.IsAlive());
  EXPECT_FALSE(FindWindowSize(display, first.GetPid()).empty());

  PressAltF4(display, first.GetPid());
  EXPECT_EQ(first.Wait(), 0);
}

}  // namespace
}  // namespace HV::Test
