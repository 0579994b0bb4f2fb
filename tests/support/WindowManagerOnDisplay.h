#pragma once

// WindowManagerOnDisplay: a small window manager (openbox) on a test's
// private display, for the tests where placement, focus, stacking or
// modality are the window manager's to decide. It is ready when the
// constructor returns: openbox runs its start-up command only once it
// manages the screen, and that command opens a FIFO the fixture waits on.
// The window manager ends with the fixture.

#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/select.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/PrivateDisplay.h"

extern char** environ;

namespace HV::Test {

class WindowManagerOnDisplay {
 public:
  explicit WindowManagerOnDisplay(const PrivateDisplay& display) {
    if (display.GetName().empty()) return;
    char folder[] = "/tmp/hv-wm-XXXXXX";
    if (mkdtemp(folder) == nullptr) return;
    mFolder = folder;
    const std::string fifo = mFolder + "/ready";
    if (mkfifo(fifo.c_str(), 0600) != 0) return;
    const std::string displayVariable = "DISPLAY=" + display.GetName();
    // The window manager's own settings stay out of the tester's home.
    const std::string configVariable = "XDG_CONFIG_HOME=" + mFolder;
    const std::string startup = "sh -c 'echo > " + fifo + "'";
    const char* argv[] = {"openbox", "--sm-disable", "--startup", startup.c_str(), nullptr};
    const char* envp[] = {displayVariable.c_str(), configVariable.c_str(), "PATH=/usr/bin:/bin", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    if (posix_spawnp(&mPid, "openbox", &actions, nullptr, const_cast<char**>(argv), const_cast<char**>(envp)) != 0)
      mPid = -1;
    posix_spawn_file_actions_destroy(&actions);
    if (mPid <= 0) return;
    // Opening the FIFO for reading blocks until the start-up command opens it
    // for writing; a window manager that dies first would leave us blocked,
    // so the read end is opened without blocking and then waited on.
    const int ready = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    if (ready < 0) return;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(ready, &readable);
    // The start-up command opens, writes and closes: wait for the byte.
    timeval limit{20, 0};
    char byte = 0;
    while (select(ready + 1, &readable, nullptr, nullptr, &limit) > 0) {
      if (read(ready, &byte, 1) == 1) {
        mIsReady = true;
        break;
      }
      FD_ZERO(&readable);
      FD_SET(ready, &readable);
      int status = 0;
      if (waitpid(mPid, &status, WNOHANG) == mPid) {
        mPid = -1;
        break;
      }
    }
    close(ready);
  }
  ~WindowManagerOnDisplay() {
    if (mPid > 0) {
      kill(mPid, SIGTERM);
      int status = 0;
      waitpid(mPid, &status, 0);
    }
    if (!mFolder.empty()) {
      const std::string remove = "rm -rf '" + mFolder + "'";
      (void)std::system(remove.c_str());
    }
  }
  WindowManagerOnDisplay(const WindowManagerOnDisplay&) = delete;
  WindowManagerOnDisplay& operator=(const WindowManagerOnDisplay&) = delete;

  // True once the window manager manages the display's screen.
  bool IsReady() const { return mIsReady; }

 private:
  pid_t mPid = -1;
  bool mIsReady = false;
  std::string mFolder;
};

}  // namespace HV::Test
