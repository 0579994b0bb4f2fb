#pragma once

#include "HVFramework/Platform/Core/Clock.h"

#include <atomic>
#include <cstdint>

namespace HV::Platform {

// VirtualClock: a clock that moves only when told to, so that tests drive
// time-outs without sleeping. It installs itself for its lifetime and puts
// back the clock it replaced. Advance may be called from any thread.
class VirtualClock final : public IClock {
 public:
  explicit VirtualClock(uint32_t startTick = 0);
  ~VirtualClock() override;
  VirtualClock(const VirtualClock&) = delete;
  VirtualClock& operator=(const VirtualClock&) = delete;

  uint32_t GetTickCount() const override { return mTick.load(); }
  double GetSecondsSinceStart() const override;

  // Moves time on and lets every timed wait look at it again.
  void Advance(uint32_t milliseconds);
  // Waits until some thread is in a timed wait, then advances: the step
  // cannot fall before the wait has started.
  void AdvanceWhenWaiting(uint32_t milliseconds);

 private:
  std::atomic<uint32_t> mTick;
  std::atomic<uint64_t> mElapsed{0};  // milliseconds advanced, without the wrap
  IClock* mPrevious;
};

}  // namespace HV::Platform
