#pragma once

#include <mutex>

namespace HV {

// Mutex: a lock its owning thread may take again (distributors and the
// device model re-enter their own locks). Every Lock is matched by one Unlock
// on the same thread; MutexLocker does that for a scope.
class Mutex {
 public:
  Mutex() = default;
  virtual ~Mutex() = default;
  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;

  void Lock() { mLock.lock(); }
  void Unlock() { mLock.unlock(); }

 private:
  std::recursive_mutex mLock;
};

}  // namespace HV
