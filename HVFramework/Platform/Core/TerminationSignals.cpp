#include "HVFramework/Platform/Core/TerminationSignals.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace HV::Platform {
namespace {

// Where the handler writes: -1 while no object catches the signals. Read in
// the handler, so it is a lock-free atomic.
std::atomic<int> gSignalPipe{-1};
static_assert(std::atomic<int>::is_always_lock_free);

// The byte that tells the thread to end; no signal has the number 0.
constexpr unsigned char kStop = 0;

// One pipe for the process's life, never closed: a handler that runs while
// an object goes can never write into a descriptor the program reused.
struct SignalPipe {
  int readEnd = -1;
  int writeEnd = -1;
};

const SignalPipe& GetSignalPipe() {
  static const SignalPipe pipe = [] {
    SignalPipe made;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return made;
    // The handler must never wait for the reader.
    ::fcntl(ends[1], F_SETFL, ::fcntl(ends[1], F_GETFL) | O_NONBLOCK);
    made.readEnd = ends[0];
    made.writeEnd = ends[1];
    return made;
  }();
  return pipe;
}

// Async-signal-safe: one write, errno kept for the code it interrupted. A
// full pipe drops the byte: signals already wait there to be read.
void WriteSignal(int signal) {
  const int saved = errno;
  const int pipe = gSignalPipe.load();
  const unsigned char number = static_cast<unsigned char>(signal);
  if (pipe >= 0) {
    const ssize_t written = ::write(pipe, &number, 1);
    static_cast<void>(written);
  }
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(Handler onSignal) {
  const SignalPipe& pipe = GetSignalPipe();
  if (pipe.readEnd < 0) return;
  mReadEnd = pipe.readEnd;
  mWriteEnd = pipe.writeEnd;
  try {
    mThread = std::thread([this, onSignal = std::move(onSignal)] { ReadSignals(onSignal); });
  } catch (const std::system_error&) {
    return;
  }
  gSignalPipe.store(mWriteEnd);
  struct sigaction action {};
  action.sa_handler = WriteSignal;
  sigemptyset(&action.sa_mask);
  // The second of a kind is the system's: it ends a program that hangs.
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  for (size_t i = 0; i < std::size(kSignals); ++i) ::sigaction(kSignals[i], &action, &mPrevious[i]);
  mIsCatching = true;
}

TerminationSignals::~TerminationSignals() {
  if (mIsCatching) RestoreHandlers();
  if (mThread.joinable()) {
    [[maybe_unused]] const ssize_t written = ::write(mWriteEnd, &kStop, 1);
    mThread.join();
  }
}

void TerminationSignals::RestoreHandlers() {
  for (size_t i = 0; i < std::size(kSignals); ++i) ::sigaction(kSignals[i], &mPrevious[i], nullptr);
  gSignalPipe.store(-1);
}

void TerminationSignals::ReadSignals(const Handler& onSignal) {
  for (;;) {
    unsigned char number = kStop;
    const ssize_t got = ::read(mReadEnd, &number, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0 || number == kStop) return;
    if (onSignal) onSignal(number);
  }
}

}  // namespace HV::Platform
