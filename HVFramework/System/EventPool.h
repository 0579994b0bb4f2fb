#pragma once

#include "HVFramework/Platform/Core/EventHub.h"
#include "HVFramework/System/LEvent.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"

#include <cstdint>
#include <vector>

namespace HV {

// EventPool: a fixed set of counted auto-reset events that one thread waits
// on together. Not changed after construction, so concurrent WaitForAny and
// GetEvent calls need no lock.
class EventPool {
 public:
  // A count of 0x40000000 or more cannot be held and gives an empty pool.
  explicit EventPool(uint32_t count);
  virtual ~EventPool() = default;
  EventPool(const EventPool&) = delete;
  EventPool& operator=(const EventPool&) = delete;

  uint32_t GetCount() const { return mEvents.GetCount(); }
  // The index is not checked: callers pass indices below the count.
  RCPtr<LEvent>& GetEvent(uint32_t index) { return *mEvents.GetItemPtr(index); }

  // The index of a signalled event (the lowest when several are; only that
  // one is consumed), or -1 on time-out or failure. An empty pool, or one of
  // more than kMaximumWaitObjects events, fails.
  int32_t WaitForAny(uint32_t milliseconds);

 private:
  RCPtrArray<LEvent, 1, 0> mEvents;
  std::vector<Platform::WaitHandle> mHandles;  // mEvents' handles, same order
};

}  // namespace HV
