#pragma once

// ForwardedLineQueue: the command lines other instances forwarded (see
// SingleInstance), waiting for the program to take them. Any process of the
// user may forward, as often as it likes, so the queue is bounded: beyond
// kMaxWaitingLines a line is dropped with a trace line. Each line is already
// capped by kMaxForwardedBytes, so the queue holds at most about 1 MB.
//
// Threads: Push from any thread (the single-instance listener), TakeAll from
// the thread that handles the lines. No lock is held while tracing.

#include <cstddef>
#include <deque>
#include <mutex>
#include <string>

namespace HV::Platform {

class ForwardedLineQueue {
 public:
  static constexpr size_t kMaxWaitingLines = 16;

  // False when the queue was full and the line was dropped.
  bool Push(std::string line);
  // The waiting lines, oldest first; the queue is empty after.
  std::deque<std::string> TakeAll();

 private:
  std::mutex mLock;
  std::deque<std::string> mLines;
};

}  // namespace HV::Platform
