#pragma once

// TerminationSignals: the signals that ask a program to end -- SIGTERM (a
// session logging out, kill), SIGINT (Ctrl+C in a terminal) and SIGHUP (the
// terminal gone) -- turned into a call the program can end in order from.
//
// While the object lives it catches the three. The signal handler does only
// what a handler may: it writes the signal's number into a pipe. A thread of
// the object's own reads the pipe and calls the program's handler there,
// outside any signal context; the program asks its loop to end from it. A
// signal caught once is left to the system's default afterwards, so a
// second Ctrl+C still ends a program that cannot end in order.
//
// One object at a time in a process. The destructor puts back the handlers
// it found and waits until the handler thread has ended. The pipe is the
// process's, made at the first object and kept open.

#include <csignal>
#include <functional>
#include <thread>

namespace HV::Platform {

class TerminationSignals {
 public:
  // Called on the object's thread with the signal's number, once per signal caught.
  using Handler = std::function<void(int signal)>;

  // The signals caught, in the order they are installed.
  static constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

  explicit TerminationSignals(Handler onSignal);
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // False when the pipe or the thread could not be made: the signals then
  // keep the handlers they had.
  bool IsCatching() const { return mIsCatching; }

 private:
  void ReadSignals(const Handler& onSignal);
  void RestoreHandlers();

  int mReadEnd = -1;   // of the process's pipe, not owned
  int mWriteEnd = -1;
  struct sigaction mPrevious[std::size(kSignals)]{};
  std::thread mThread;
  bool mIsCatching = false;
};

}  // namespace HV::Platform
