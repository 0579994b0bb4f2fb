#include "HVFramework/ObjectBase/LWeakLink.h"

namespace HV {

LRefCountedObject* LWeakLink::AcquireTarget() {
  std::lock_guard<std::mutex> guard(mLock);
  LRefCountedObject* target = mTarget.load(std::memory_order_relaxed);
  return target && target->TryAddRef() ? target : nullptr;
}

void LWeakLink::ClearTarget() {
  std::lock_guard<std::mutex> guard(mLock);
  mTarget.store(nullptr, std::memory_order_release);
}

}  // namespace HV
