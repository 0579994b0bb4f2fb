#include "HVFramework/Platform/UI/DocumentOpener.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <system_error>
#include <thread>
#include <vector>

extern char** environ;

namespace HV::Platform {

namespace {

// A path the opener cannot take for one of its options.
std::string NotAnOption(const std::string& path) { return path.starts_with('-') ? "./" + path : path; }

}  // namespace

DocumentOpener::DocumentOpener(std::string program) : mProgram(std::move(program)) {}

bool DocumentOpener::Open(const std::string& path, EndHandler onEnded) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return false;
  std::string argument = NotAnOption(path);
  std::vector<char*> argv{mProgram.data(), argument.data(), nullptr};
  // A session of its own: the opened program is not ended with the
  // terminal's signals meant for this one.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t child = 0;
  const int spawned = ::posix_spawnp(&child, argv[0], nullptr, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  if (spawned != 0) return false;
  Reap(child, std::move(onEnded));
  return true;
}

void DocumentOpener::Reap(int child, EndHandler onEnded) {
  {
    std::lock_guard<std::mutex> hold(mChildren->lock);
    ++mChildren->running;
  }
  auto wait = [child, children = mChildren, onEnded = std::move(onEnded)] {
    int status = 0;
    pid_t reaped;
    while ((reaped = ::waitpid(child, &status, 0)) < 0 && errno == EINTR) {
    }
    // posix_spawnp reports an opener it could not run as exit status 127.
    const bool isOpened = reaped == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (onEnded) onEnded(isOpened);
    {
      std::lock_guard<std::mutex> hold(children->lock);
      --children->running;
    }
    children->ended.notify_all();
  };
  try {
    std::thread(std::move(wait)).detach();
  } catch (const std::system_error&) {
    // No thread to be had: the child is reaped at the program's end instead,
    // and nothing tells how it ended.
    std::lock_guard<std::mutex> hold(mChildren->lock);
    --mChildren->running;
  }
}

void DocumentOpener::WaitForStartedChildren() {
  std::unique_lock<std::mutex> hold(mChildren->lock);
  mChildren->ended.wait(hold, [this] { return mChildren->running == 0; });
}

}  // namespace HV::Platform
