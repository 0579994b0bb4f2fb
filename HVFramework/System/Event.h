#pragma once

#include "HVFramework/Platform/Core/EventHub.h"
#include "HVFramework/System/WaitCodes.h"

#include <cstdint>

namespace HV {

// Event: a waitable flag. An auto-reset event lets exactly one wait through
// per Set (a Set nobody waits for is kept for the next waiter); a manual-reset
// event stays set, letting every waiter through, until Reset. It starts unset.
// Any thread may use it.
class Event {
 public:
  explicit Event(bool autoReset);
  virtual ~Event() = default;
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  bool Set();
  bool Reset();
  // kWaitObject0, kWaitTimeout or kWaitFailed; kInfinite waits without limit.
  uint32_t Wait(uint32_t milliseconds);

  const Platform::WaitHandle& GetHandle() const { return mHandle; }

 private:
  Platform::WaitHandle mHandle;
};

}  // namespace HV
