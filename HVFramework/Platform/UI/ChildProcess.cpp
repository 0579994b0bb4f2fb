#include "HVFramework/Platform/UI/ChildProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace HV::Platform {

ChildProcessResult ChildProcessRunner::Run(const std::vector<std::string>& argv) {
  ChildProcessResult result;
  if (argv.empty()) return result;
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t child = 0;
  const int spawned = ::posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  if (spawned == 0) {
    char buffer[4096];
    for (;;) {
      const ssize_t got = ::read(out[0], buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      result.output.append(buffer, static_cast<size_t>(got));
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // posix_spawnp reports a missing program as exit code 127 of the child.
    result.started = !(WIFEXITED(status) && WEXITSTATUS(status) == 127);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  ::close(out[0]);
  return result;
}

}  // namespace HV::Platform
