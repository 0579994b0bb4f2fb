#pragma once

#include "HVFramework/System/Mutex.h"

namespace HV {

// MutexLocker: holds a mutex from its construction to the end of its scope.
class MutexLocker {
 public:
  explicit MutexLocker(Mutex* mutex) : mMutex(mutex) { mMutex->Lock(); }
  ~MutexLocker() { mMutex->Unlock(); }
  MutexLocker(const MutexLocker&) = delete;
  MutexLocker& operator=(const MutexLocker&) = delete;

 private:
  Mutex* mMutex;  // not owned
};

}  // namespace HV
