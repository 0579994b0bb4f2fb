#pragma once

// PrivateDisplay: a display of the test's own (a private Xvfb). SDL gives
// every window it shows without a window manager the keyboard focus, so
// windows of display tests running beside this one would take it, and key
// events with it. The server ends with the fixture.
//
// XdotoolOnDisplay runs xdotool commands on it, RunOnDisplay any command.

#include <cstdio>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace HV::Test {

class PrivateDisplay {
 public:
  // screen: width x height x depth of the display's one screen.
  explicit PrivateDisplay(const std::string& screen = "1024x768x24") {
    int ready[2];
    if (pipe(ready) != 0) return;
    // A number of this process's own: tests starting displays side by side
    // would otherwise race for the first free one.
    const std::string number = ":" + std::to_string(1000 + getpid() % 30000);
    const char* argv[] = {"Xvfb",   number.c_str(), "-displayfd", "3", "-screen", "0", screen.c_str(),
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
  ~PrivateDisplay() { End(); }
  // Ends the server now: its clients lose their connections.
  void End() {
    if (mReady >= 0) close(mReady);
    mReady = -1;
    if (mPid <= 0) return;
    kill(mPid, SIGTERM);
    int status = 0;
    waitpid(mPid, &status, 0);
    mPid = -1;
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

// What a shell command run on the display (at most 20 s) prints on standard
// output; its errors are dropped.
inline std::string RunOnDisplay(const PrivateDisplay& display, const std::string& command) {
  const std::string line = "DISPLAY=" + display.GetName() + " timeout 20 " + command + " 2>/dev/null";
  std::string output;
  if (std::FILE* pipe = popen(line.c_str(), "r")) {
    char chunk[256];
    while (size_t got = std::fread(chunk, 1, sizeof chunk, pipe)) output.append(chunk, got);
    pclose(pipe);
  }
  return output;
}

// Runs "xdotool <commands>" on the display; what it says is dropped: a
// window may be gone before xdotool's last step, which it reports as an X
// error, so the test judges by what the program did.
inline void XdotoolOnDisplay(const PrivateDisplay& display, const std::string& commands) {
  (void)RunOnDisplay(display, "xdotool " + commands);
}

// Alt+F4 to the window of process pid whose title matches titlePattern, once
// that window has the keyboard focus (SDL hands key events to the focused
// window only). The window is waited for until it is shown: a window that
// has its title but is not mapped yet cannot take the focus, and xdotool
// gives up before the key.
inline void PressAltF4(const PrivateDisplay& display, pid_t pid, const std::string& titlePattern) {
  XdotoolOnDisplay(display, "search --sync --onlyvisible --pid " + std::to_string(pid) + " --name '" + titlePattern +
                                "' windowfocus --sync %1 key --window %1 alt+F4");
}

}  // namespace HV::Test
