#pragma once

#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/System/LEvent.h"
#include "HVFramework/System/LEventGatedThreader.h"

#include <chrono>
#include <cstdint>
#include <functional>

namespace HV {

// LDeviceStatusPoll: runs the device-status check on an event-gated thread,
// once every period while the poll is active. Inactive after construction:
// no pass checks anything until Resume. Suspend returns only after a pass
// that saw the request and no pass is running, so a sender knows the poll
// stays off the ports while it sends; it waits for that on the event each
// pass sets as it ends. Suspend and Resume come from one controlling thread
// at a time; they coordinate with the poll thread through the pass counter,
// the suspend request and the pass's busy flag, without a lock.
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
  bool IsActive() const;
  uint32_t GetPassCount() const;

 private:
  class Pass;

  const std::chrono::milliseconds mPeriod;
  RCPtr<Pass> mPass;
  RCPtr<LEvent> mGate;
  RCPtr<LEventGatedThreader> mThreader;
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
