#pragma once

#include "HVFramework/Utilities/Storage/OptionalLockGuard.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"

#include <mutex>

namespace HV {

// RCPtrQueue<T, Step>: a first-in first-out queue of counted references in a
// ring whose capacity grows by one slot whenever it is full, so Enqueue never
// fails. The capacity is what the queue reports; the slots underneath double
// when they fill, so an enqueue into a long backlog never moves the whole
// ring. The slot array allocates in steps of Step slots.
//
// The lock is the owner's and optional: with one, producers on any threads
// and a single consumer may use the queue at once (GetCount and Dequeue are
// separate steps, so only one consumer may test-then-dequeue). Without one,
// one thread only.
template <class T, uint32_t Step = 256>
class RCPtrQueue {
 public:
  using Lock = std::recursive_mutex;

  explicit RCPtrQueue(Lock* lock = nullptr, uint32_t capacity = Step)
      : mSlots(capacity < 2 ? 0 : capacity, capacity < 2 ? 0 : capacity),
        mCapacity(capacity < 2 ? 0 : capacity),
        mLock(lock) {}
  RCPtrQueue(const RCPtrQueue&) = delete;
  RCPtrQueue& operator=(const RCPtrQueue&) = delete;

  // Always S_OK.
  HResult Enqueue(const RCPtr<T>& item) {
    OptionalLockGuard<Lock> guard(mLock);
    if (mCapacity < 2) mCapacity = 2;
    if (mCount == mCapacity - 1) ++mCapacity;  // one slot of the capacity stays free
    if (mCount == Slots()) Grow();
    *mSlots.GetItemPtr(SlotOf(mCount)) = item;
    ++mCount;
    return S_OK;
  }

  // The oldest item; throws Runtime Error when the queue is empty.
  RCPtr<T> Dequeue() {
    OptionalLockGuard<Lock> guard(mLock);
    if (mCount == 0) ThrowEmpty();
    RCPtr<T> item = std::move(*mSlots.GetItemPtr(mHead));
    mHead = SlotOf(1);
    --mCount;
    return item;
  }

  uint32_t GetCount() const {
    OptionalLockGuard<Lock> guard(mLock);
    return mCount;
  }

  // The ring's capacity: one more than the most items it has held at once,
  // and never below the capacity it was built with.
  uint32_t GetCapacity() const {
    OptionalLockGuard<Lock> guard(mLock);
    return mCapacity;
  }

 private:
  uint32_t Slots() const { return mSlots.GetCount(); }
  // The slot of the item that many places behind the oldest one.
  uint32_t SlotOf(uint32_t offset) const {
    const uint32_t at = mHead + offset;
    return at >= Slots() ? at - Slots() : at;
  }

  // Doubles the slots. The items that wrapped round to the front move to
  // just behind the old end, so the ring reads on in order.
  void Grow() {
    const uint32_t old = Slots();
    const uint32_t wrapped = mHead + mCount > old ? mHead + mCount - old : 0;
    mSlots.SetCount(old < 2 ? 2 : old * 2);
    for (uint32_t i = 0; i < wrapped; ++i) *mSlots.GetItemPtr(old + i) = std::move(*mSlots.GetItemPtr(i));
  }

  [[noreturn]] void ThrowEmpty() const {
    Detail::ThrowRuntimeError(Detail::ContainerFunctionName("RCPtrQueue", typeid(T), {Step}, "Dequeue"),
                              __FILE__, __LINE__);
  }

  RCPtrArray<T, Step, Step> mSlots;
  uint32_t mCapacity;
  uint32_t mHead = 0;  // slot of the oldest item
  uint32_t mCount = 0;
  Lock* mLock;  // the owner's, not owned; may be null
};

}  // namespace HV
