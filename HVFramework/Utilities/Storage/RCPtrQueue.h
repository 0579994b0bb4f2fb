#pragma once

#include "HVFramework/Utilities/Storage/OptionalLockGuard.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"

#include <mutex>

namespace HV {

// RCPtrQueue<T, Step>: a first-in first-out queue of counted references in a
// ring that grows by one slot whenever it is full, so Enqueue never fails.
// The slot array grows its storage in steps of Step slots.
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
      : mSlots(capacity < 2 ? 0 : capacity, capacity < 2 ? 0 : capacity), mLock(lock) {}
  RCPtrQueue(const RCPtrQueue&) = delete;
  RCPtrQueue& operator=(const RCPtrQueue&) = delete;

  // Always S_OK.
  HResult Enqueue(const RCPtr<T>& item) {
    OptionalLockGuard<Lock> guard(mLock);
    if (Capacity() < 2) {
      mSlots.SetCount(2);
      mHead = mTail = 0;
    }
    if (CountItems() == Capacity() - 1) Grow();
    const uint32_t at = mTail;
    mTail = (mTail + 1) % Capacity();
    *mSlots.GetItemPtr(at) = item;
    return S_OK;
  }

  // The oldest item; throws Runtime Error when the queue is empty.
  RCPtr<T> Dequeue() {
    OptionalLockGuard<Lock> guard(mLock);
    if (CountItems() == 0) ThrowEmpty();
    RCPtr<T> item = std::move(*mSlots.GetItemPtr(mHead));
    mHead = (mHead + 1) % Capacity();
    return item;
  }

  uint32_t GetCount() const {
    OptionalLockGuard<Lock> guard(mLock);
    return CountItems();
  }

  // Slots in the ring; one of them is always free.
  uint32_t GetCapacity() const {
    OptionalLockGuard<Lock> guard(mLock);
    return Capacity();
  }

 private:
  uint32_t Capacity() const { return mSlots.GetCount(); }

  uint32_t CountItems() const {
    const uint32_t capacity = Capacity();
    if (capacity == 0) return 0;
    return (mTail + capacity - mHead) % capacity;
  }

  // Opens one free slot in front of the oldest item, keeping the order.
  void Grow() {
    if (mHead < mTail) ++mTail;
    mSlots.InsertSpace(mHead, 1);
    mHead = (mHead + 1) % Capacity();
  }

  [[noreturn]] void ThrowEmpty() const {
    Detail::ThrowRuntimeError(Detail::ContainerFunctionName("RCPtrQueue", typeid(T), {Step}, "Dequeue"),
                              __FILE__, __LINE__);
  }

  RCPtrArray<T, Step, Step> mSlots;
  uint32_t mTail = 0;
  uint32_t mHead = 0;
  Lock* mLock;  // the owner's, not owned; may be null
};

}  // namespace HV
