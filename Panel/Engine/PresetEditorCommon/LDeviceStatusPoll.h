#pragma once

#include "HVFramework/ObjectBase/ResultCodes.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace HV {

// LDeviceStatusPoll: runs the device-status check on its own thread every
// period while it is active. Inactive after construction: no pass checks
// anything until Resume. Suspend returns only when no check is running, so
// a sender can be sure the poll stays off the ports while it sends.
// Suspend and Resume come from one controlling thread at a time.
class LDeviceStatusPoll {
 public:
  LDeviceStatusPoll(std::function<void()> check, std::chrono::milliseconds period);
  ~LDeviceStatusPoll();
  LDeviceStatusPoll(const LDeviceStatusPoll&) = delete;
  LDeviceStatusPoll& operator=(const LDeviceStatusPoll&) = delete;

  // 1 when the poll is not active; else 0 once it stopped.
  HResult Suspend();
  // 1 when the poll is active already; else 0 and a pass at once.
  HResult Resume();
  bool IsActive();
  uint32_t GetPassCount();

 private:
  void Run();

  const std::function<void()> mCheck;
  const std::chrono::milliseconds mPeriod;
  std::mutex mMutex;
  std::condition_variable mChanged;
  bool mIsActive = false;
  bool mIsBusy = false;
  bool mIsSignalled = false;
  bool mIsStopping = false;
  uint32_t mPassCount = 0;
  std::thread mThread;  // last: starts when everything above is ready
};

// Suspends the poll for a scope and resumes it at the end when this pause
// was what stopped it.
class PollPause {
 public:
  explicit PollPause(LDeviceStatusPoll& poll) : mPoll(poll), mWasActive(poll.Suspend() == S_OK) {}
  ~PollPause() {
    if (mWasActive) mPoll.Resume();
  }
  PollPause(const PollPause&) = delete;
  PollPause& operator=(const PollPause&) = delete;

 private:
  LDeviceStatusPoll& mPoll;
  const bool mWasActive;
};

}  // namespace HV
