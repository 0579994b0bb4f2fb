#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace HV {

// LReplyLight: red while a caller waits for a reply, green once it came.
// The capture thread turns it green; the waiting thread arms and waits.
class LReplyLight {
 public:
  void SetRed() {
    std::lock_guard lock(mMutex);
    mIsGreen = false;
  }
  void SetGreen() {
    {
      std::lock_guard lock(mMutex);
      mIsGreen = true;
    }
    mChanged.notify_all();
  }
  bool IsGreen() {
    std::lock_guard lock(mMutex);
    return mIsGreen;
  }
  // True when green now or within the wait.
  bool WaitForGreen(std::chrono::milliseconds wait) {
    std::unique_lock lock(mMutex);
    return mChanged.wait_for(lock, wait, [this] { return mIsGreen; });
  }

 private:
  std::mutex mMutex;
  std::condition_variable mChanged;
  bool mIsGreen = true;
};

}  // namespace HV
