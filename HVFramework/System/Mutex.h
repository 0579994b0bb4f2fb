#pragma once

#include "HVFramework/ObjectBase/Assert.h"

#include <atomic>
#include <mutex>
#include <thread>

namespace HV {

// Mutex: a lock its owning thread may take again (distributors and the
// device model re-enter their own locks). Every Lock is matched by one Unlock
// on the same thread; MutexLocker does that for a scope. An Unlock on a thread
// that does not hold the lock is a broken invariant (HV_ASSERT).
class Mutex {
 public:
  Mutex() = default;
  virtual ~Mutex() = default;
  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;

  void Lock() {
    mLock.lock();
    if (mDepth++ == 0) mOwner.store(std::this_thread::get_id(), std::memory_order_relaxed);
  }
  void Unlock() {
    HV_ASSERT(IsHeldByThisThread());
    if (--mDepth == 0) mOwner.store(std::thread::id(), std::memory_order_relaxed);
    mLock.unlock();
  }

  bool IsHeldByThisThread() const {
    return mOwner.load(std::memory_order_relaxed) == std::this_thread::get_id();
  }

 private:
  std::recursive_mutex mLock;
  // The holder and its depth of nesting; the depth is touched only by the
  // holder, the owner read by any thread.
  std::atomic<std::thread::id> mOwner{};
  int mDepth = 0;
};

}  // namespace HV
