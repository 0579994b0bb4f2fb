#pragma once

// ChildProgram: a program of the build run as a child process, its standard
// output read line by line through a pipe. Reading waits until the program
// says something or a deadline passes, so a lost input event fails the test
// with the program's last words instead of hanging it. What it says is
// copied to the test's log as "[name pid] line". The program is killed when
// the fixture ends while it still runs.

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace HV::Test {

class ChildProgram {
 public:
  // settings ("NAME=value") come before the test's own environment and
  // replace its variables of the same names.
  ChildProgram(const std::string& path, const std::vector<std::string>& arguments,
               const std::vector<std::string>& settings, const std::string& name)
      : mName(name) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<std::string> args = {path};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment = settings;
    for (char** e = environ; *e; ++e)
      if (!IsSetIn(settings, *e)) environment.push_back(*e);
    std::vector<char*> envp;
    for (std::string& setting : environment) envp.push_back(setting.data());
    envp.push_back(nullptr);
    if (posix_spawn(&mPid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) mPid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    mOutput = pipeEnds[0];
  }
  ~ChildProgram() {
    if (mPid > 0) {
      kill(mPid, SIGKILL);
      Wait();
    }
    if (mOutput >= 0) close(mOutput);
  }
  ChildProgram(const ChildProgram&) = delete;
  ChildProgram& operator=(const ChildProgram&) = delete;

  bool IsRunning() const { return mPid > 0 && mOutput >= 0; }
  pid_t GetPid() const { return mPid; }
  // Whether the process is still there (not ended, or ended and not yet waited for).
  bool IsAlive() const {
    if (mPid <= 0) return false;
    int status = 0;
    return waitpid(mPid, &status, WNOHANG) == 0;
  }
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
        std::fprintf(stderr, "[%s %d] said nothing for %d s\n", mName.c_str(), static_cast<int>(mPid),
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
    std::fprintf(stderr, "[%s %d] %s\n", mName.c_str(), static_cast<int>(mPid), text.c_str());
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

  static bool IsSetIn(const std::vector<std::string>& settings, const std::string& variable) {
    for (const std::string& setting : settings) {
      const size_t equals = setting.find('=');
      if (variable.compare(0, equals + 1, setting, 0, equals + 1) == 0) return true;
    }
    return false;
  }

  std::string mName;
  pid_t mPid = -1;
  int mOutput = -1;
  std::string mPending;
};

}  // namespace HV::Test
