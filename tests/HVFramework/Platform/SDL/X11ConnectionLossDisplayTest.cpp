// The window system when its X server goes away: the program says why and
// ends with its own exit code, without running the exit handlers (Xlib's
// default would run them under the code that was talking to X). The test
// runs an X server of its own, so that it can end it.
#include "HVFramework/Platform/SDL/SdlWindowSystem.h"
#include "HVFramework/Platform/SDL/X11ConnectionLoss.h"

#include "tests/support/PrivateDisplay.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace HV::Platform {
namespace {

// On a server of its own: a window, the server ends, the next look at the
// connection finds it gone.
[[noreturn]] void LoseTheServerUnderAWindow() {
  Test::PrivateDisplay server("320x240x24");
  if (server.GetName().empty()) std::_Exit(10);
  setenv("DISPLAY", server.GetName().c_str(), 1);
  unsetenv("WAYLAND_DISPLAY");
  std::string error;
  const std::unique_ptr<SdlWindowSystem> system = SdlWindowSystem::Open({}, error);
  if (!system || system->CreateWindow({"connection test", {0, 0, 64, 48}}) == 0) std::_Exit(11);
  server.End();
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
