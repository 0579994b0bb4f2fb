// The window system when its X server goes away: the program says why and
// ends with its own exit code, without running the exit handlers (Xlib's
// default would run them under the code that was talking to X). The test
// runs an X server of its own, so that it can end it.
#include "HVFramework/Platform/SDL/SdlWindowSystem.h"
#include "HVFramework/Platform/SDL/X11ConnectionLoss.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace HV::Platform {
namespace {

// Starts Xvfb on a free display and answers its process and display number
// once it accepts connections (it writes the number when ready); -1 when it
// cannot start.
pid_t StartServer(std::string& display) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const std::string fd = std::to_string(ready[1]);
  const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0", "320x240x24", nullptr};
  pid_t server = -1;
  if (posix_spawnp(&server, "Xvfb", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) server = -1;
  close(ready[1]);
  char number[16] = {};
  const ssize_t length = server > 0 ? read(ready[0], number, sizeof number - 1) : 0;
  close(ready[0]);
  if (length <= 0) return -1;
  display = ":" + std::string(number, static_cast<size_t>(length) - (number[length - 1] == '\n' ? 1 : 0));
  return server;
}

// On a server of its own: a window, the server ends, the next look at the
// connection finds it gone.
[[noreturn]] void LoseTheServerUnderAWindow() {
  std::string display;
  const pid_t server = StartServer(display);
  if (server < 0) std::_Exit(10);
  setenv("DISPLAY", display.c_str(), 1);
  unsetenv("WAYLAND_DISPLAY");
  std::string error;
  const std::unique_ptr<SdlWindowSystem> system = SdlWindowSystem::Open({}, error);
  if (!system || system->CreateWindow({"connection test", {0, 0, 64, 48}}) == 0) std::_Exit(11);
  kill(server, SIGTERM);
  waitpid(server, nullptr, 0);
  WindowEvent event;
  for (int round = 0; round < 1000; ++round) system->PollEvent(event);
  std::_Exit(0);  // the loss went unnoticed
}

TEST(X11ConnectionLossDisplay, ALostServerEndsTheProgramWithItsOwnCodeAndReason) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(LoseTheServerUnderAWindow(), ::testing::ExitedWithCode(kX11ConnectionLostExitCode),
              "connection to the X display was lost");
}

}  // namespace
}  // namespace HV::Platform
