#include "tools/gallery/GalleryScene.h"

#include "HVFramework/Platform/PngCodec.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

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
// standard output read line by line through a pipe (reading blocks until the
// program says something: no polling). Its own leaks are checked by the unit
// tests, not here: the display libraries keep buffers at exit.
class GalleryProcess {
 public:
  explicit GalleryProcess(const std::vector<std::string>& options) {
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
    std::vector<std::string> settings = {std::string("FONTCONFIG_FILE=") + HV_TEST_FONTS_CONF,
                                         "ASAN_OPTIONS=detect_leaks=0", "HV_GALLERY_TIMING=1"};
    std::vector<char*> envp;
    for (std::string& setting : settings) envp.push_back(setting.data());
    for (char** e = environ; *e; ++e)
      if (std::string(*e).rfind("ASAN_OPTIONS=", 0) != 0) envp.push_back(*e);
    envp.push_back(nullptr);
    if (posix_spawn(&mPid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) mPid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    mOutput = fdopen(pipeEnds[0], "r");
  }
  ~GalleryProcess() {
    if (mPid > 0) {
      kill(mPid, SIGKILL);
      Wait();
    }
    if (mOutput) std::fclose(mOutput);
  }

  bool IsRunning() const { return mPid > 0 && mOutput; }
  pid_t GetPid() const { return mPid; }
  // The next line the program prints (without its end); empty once it closed its output.
  std::string ReadLine() {
    char line[4096];
    if (!mOutput || !std::fgets(line, sizeof line, mOutput)) return "";
    std::string text = line;
    if (!text.empty() && text.back() == '\n') text.pop_back();
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
  pid_t mPid = -1;
  FILE* mOutput = nullptr;
};

std::string InstanceName(const char* test) { return std::string("gallery-") + test + "-" + std::to_string(getpid()); }

// Alt+F4 sent to the gallery's window, found by its process. xdotool's own
// status is no verdict: the window may be gone before its last key-up is
// sent, which xdotool reports as an X error.
void PressAltF4(pid_t pid) {
  const std::string command = "xdotool search --sync --pid " + std::to_string(pid) +
                              " --name '^HV Gallery$' key --window %1 alt+F4 2>/dev/null >/dev/null";
  (void)std::system(command.c_str());
}

TEST(GalleryDisplay, AltF4ClosesTheGalleryWithStatusZero) {
  GalleryProcess gallery({"--instance-name", InstanceName("alt-f4")});
  ASSERT_TRUE(gallery.IsRunning());
  ASSERT_TRUE(gallery.WaitForLine("hv-gallery: first frame presented at "));
  PressAltF4(gallery.GetPid());
  EXPECT_EQ(gallery.Wait(), 0);
}

TEST(GalleryDisplay, ASecondGalleryHandsItsCommandLineToTheFirstAndExitsZero) {
  const std::string name = InstanceName("second");
  GalleryProcess first({"--instance-name", name, "--still"});
  ASSERT_TRUE(first.IsRunning());
  ASSERT_TRUE(first.WaitForLine("hv-gallery: first frame presented at "));

  GalleryProcess second({"--instance-name", name, "--frames", "3", "--still"});
  ASSERT_TRUE(second.IsRunning());
  EXPECT_EQ(second.ReadLine(), "hv-gallery: the running gallery has the command line");
  EXPECT_EQ(second.Wait(), 0);

  std::string received;
  ASSERT_TRUE(first.WaitForLine("hv-gallery: another instance was started with: ", &received));
  EXPECT_NE(received.find(" --instance-name " + name + " --frames 3 --still"), std::string::npos) << received;
  PressAltF4(first.GetPid());
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

}  // namespace
}  // namespace HV::Gallery
