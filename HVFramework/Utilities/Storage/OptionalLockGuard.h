#pragma once

namespace HV {

// OptionalLockGuard: holds a lock for a scope when there is one; a null lock
// means the container is used from one thread and nothing is taken.
template <class Lock>
class OptionalLockGuard {
 public:
  explicit OptionalLockGuard(Lock* lock) : mLock(lock) {
    if (mLock) mLock->lock();
  }
  ~OptionalLockGuard() {
    if (mLock) mLock->unlock();
  }
  OptionalLockGuard(const OptionalLockGuard&) = delete;
  OptionalLockGuard& operator=(const OptionalLockGuard&) = delete;

 private:
  Lock* mLock;
};

}  // namespace HV
