#pragma once

// UnansweredFifo: a FIFO in a temporary folder that no writer ever opens, for
// tests of readers that must refuse anything but a regular file. A reader that
// waits for the FIFO's other end would hang the test, so Run calls the reader
// under a guard: if the call has not returned after kGrace, the guard opens
// and closes the other end itself, the call ends, and WasUnblocked() tells the
// test that the reader had waited.

#include "tests/support/TemporaryFolder.h"

#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace HV::Test {

class UnansweredFifo {
 public:
  static constexpr std::chrono::seconds kGrace{10};

  explicit UnansweredFifo(const std::string& name = "pipe") : mPath(mFolder / name) {
    if (mkfifo(mPath.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");
  }

  const std::string& GetPath() const { return mPath; }
  const TemporaryFolder& GetFolder() const { return mFolder; }
  bool WasUnblocked() const { return mWasUnblocked; }

  template <class Call>
  auto Run(Call call) {
    bool isDone = false;
    std::thread guard([&] {
      std::unique_lock<std::mutex> hold(mLock);
      if (mDone.wait_for(hold, kGrace, [&] { return isDone; })) return;
      mWasUnblocked = true;
      // Read-write opens at once on Linux and counts as a writer: the waiting
      // open returns, and the close gives its reads the end of the file.
      const int end = open(mPath.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
      if (end >= 0) close(end);
    });
    struct Finish {
      UnansweredFifo& fifo;
      bool& isDone;
      std::thread& guard;
      ~Finish() {
        {
          std::lock_guard<std::mutex> hold(fifo.mLock);
          isDone = true;
        }
        fifo.mDone.notify_one();
        guard.join();
      }
    } finish{*this, isDone, guard};
    return call();
  }

 private:
  TemporaryFolder mFolder;
  std::string mPath;
  std::mutex mLock;
  std::condition_variable mDone;
  bool mWasUnblocked = false;
};

}  // namespace HV::Test
