#include "tools/gallery/GalleryScene.h"

#include "HVFramework/Platform/Graphics/PngCodec.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace HV::Gallery {
namespace {

// The gallery program run as a child process with the tests' fonts, its
// standard output read line by line through a pipe. Reading waits until the
// program says something or a deadline passes, so a lost input event fails
// the test with the gallery's last words instead of hanging it.
class GalleryProcess {
 public:
  explicit GalleryProcess(const std::vector<std::string>& options, const std::string& display = "") {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<std::string> args = {HV_GALLERY_PROGRAM};
    args.insert(args.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    // The leak checker stays on (a leak makes the exit status fail), except
    // for OpenGL: Mesa's unloaded driver leaves blocks no name can suppress.
    const bool isOpenGL = std::find(options.begin(), options.end(), "opengl") != options.end();
    std::vector<std::string> settings = {std::string("FONTCONFIG_FILE=") + HV_TEST_FONTS_CONF,
                                         isOpenGL ? "ASAN_OPTIONS=detect_leaks=0" : "ASAN_OPTIONS=detect_leaks=1",
                                         "HV_GALLERY_TIMING=1"};
    if (!display.empty()) settings.push_back("DISPLAY=" + display);
    std::vector<char*> envp;
    for (std::string& setting : settings) envp.push_back(setting.data());
    for (char** e = environ; *e; ++e)
      if (std::string(*e).rfind("ASAN_OPTIONS=", 0) != 0 && (display.empty() || std::string(*e).rfind("DISPLAY=", 0) != 0))
        envp.push_back(*e);
    envp.push_back(nullptr);
    if (posix_spawn(&mPid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) mPid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    mOutput = pipeEnds[0];
  }
  ~GalleryProcess() {
    if (mPid > 0) {
      kill(mPid, SIGKILL);
      Wait();
    }
    if (mOutput >= 0) close(mOutput);
  }

  bool IsRunning() const { return mPid > 0 && mOutput >= 0; }
  pid_t GetPid() const { return mPid; }
  // The next line the program prints (without its end); empty once it closed
  // its output or said nothing for kQuietLimit.
  std::string ReadLine() {
    const auto deadline = std::chrono::steady_clock::now() + kQuietLimit;
    size_t end;
    while ((end = mPending.find('\n')) == std::string::npos) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      pollfd readable{mOutput, POLLIN, 0};
      if (left.count() <= 0 || poll(&readable, 1, int(left.count())) <= 0) {
        std::fprintf(stderr, "[gallery %d] said nothing for %d s\n", static_cast<int>(mPid),
                     int(kQuietLimit.count()));
        return "";
      }
      char chunk[4096];
      const ssize_t got = read(mOutput, chunk, sizeof chunk);
      if (got <= 0) return "";
      mPending.append(chunk, size_t(got));
    }
    std::string text = mPending.substr(0, end);
    mPending.erase(0, end + 1);
    // In the test's log: what the gallery said before a failure.
    std::fprintf(stderr, "[gallery %d] %s\n", static_cast<int>(mPid), text.c_str());
    return text;
  }
  // Reads lines until one starts with prefix; false when the output ends first.
  bool WaitForLine(const std::string& prefix, std::string* found = nullptr) {
    for (std::string line = ReadLine(); !line.empty(); line = ReadLine())
      if (line.rfind(prefix, 0) == 0) {
        if (found) *found = line;
        return true;
      }
    return false;
  }
  // The exit status; -1 when the program did not exit normally.
  int Wait() {
    int status = 0;
    const pid_t pid = mPid;
    mPid = -1;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  // Long enough for a loaded machine; a test waiting this long has lost its event.
  static constexpr std::chrono::seconds kQuietLimit{60};

  pid_t mPid = -1;
  int mOutput = -1;
  std::string mPending;
};


// A display of the test's own (a private Xvfb): SDL gives every window it
// shows without a window manager the keyboard focus, so windows of display
// tests running beside this one would take it, and key events with it.
class PrivateDisplay {
 public:
  PrivateDisplay() {
    int ready[2];
    if (pipe(ready) != 0) return;
    // A number of this process's own: tests starting displays side by side
    // would otherwise race for the first free one.
    const std::string number = ":" + std::to_string(1000 + getpid() % 30000);
    const char* argv[] = {"Xvfb",   number.c_str(), "-displayfd", "3", "-screen", "0", "1024x768x24",
                          "-nolisten", "tcp", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, ready[0]);
    posix_spawn_file_actions_adddup2(&actions, ready[1], 3);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (posix_spawnp(&mPid, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ) != 0) mPid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(ready[1]);
    // Xvfb writes its display number once it takes connections, and again
    // after every reset (its last client gone): the pipe stays open, or
    // that second write would end the server.
    mReady = ready[0];
    char written[16] = {};
    if (mPid > 0 && read(mReady, written, sizeof written - 1) > 0) mName = number;
  }
  ~PrivateDisplay() {
    close(mReady);
    if (mPid <= 0) return;
    kill(mPid, SIGTERM);
    int status = 0;
    waitpid(mPid, &status, 0);
  }
  PrivateDisplay(const PrivateDisplay&) = delete;
  PrivateDisplay& operator=(const PrivateDisplay&) = delete;

  // ":N"; empty when no display could be started.
  const std::string& GetName() const { return mName; }

 private:
  pid_t mPid = -1;
  int mReady = -1;
  std::string mName;
};

// Alt+F4 to the gallery's window, found by its process, once the window has
// the keyboard focus (SDL hands key events to the focused window only).
// xdotool's own status is no verdict: the window may be gone before the last
// key-up is sent, which xdotool reports as an X error.
void PressAltF4(const PrivateDisplay& display, pid_t pid) {
  const std::string command = "DISPLAY=" + display.GetName() + " timeout 20 xdotool search --sync --pid " +
                              std::to_string(pid) +
                              " --name '^HV Gallery$' windowfocus --sync %1 key --window %1 alt+F4"
                              " 2>/dev/null >/dev/null";
  (void)std::system(command.c_str());
}

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
  const std::string command = "DISPLAY=" + display.GetName() +
                              " timeout 20 xdotool search --sync --onlyvisible --name '^HV Gallery$' " + actions +
                              " 2>/dev/null >/dev/null";
  (void)std::system(command.c_str());
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
