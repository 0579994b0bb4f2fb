#include "HVFramework/Notification/LNotification.h"

#include "HVFramework/Notification/NotificationNames.h"
#include "HVFramework/System/MutexLocker.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"

#include <vector>

namespace HV {

namespace {

// The spare pool, a stack guarded by the global notification lock. Made on
// first use and never destroyed, like the name table.
RCPtrArray<LNotification, 1, 0>& SparePool() {
  static auto* const pool = new RCPtrArray<LNotification, 1, 0>;
  return *pool;
}

std::atomic<bool> gPoolEnabled{false};

// The last spare notification, or null.
RCPtr<LNotification> TakeSpare() {
  MutexLocker lock(&GetNotificationLock());
  RCPtr<LNotification> spare;
  SparePool().RemoveLastItem(spare);
  return spare;
}

}  // namespace

LNotification::LNotification(const WChar* id, const RCPtr<LRefCountedObject>& payload)
    : mName(id), mPayload(payload) {}

RCPtr<LNotification> LNotification::Create(const WChar* name, const RCPtr<LRefCountedObject>& payload) {
  const WChar* id = InternNotificationName(name);
  if (!id) return nullptr;
  if (gPoolEnabled.load(std::memory_order_acquire)) {
    RCPtr<LNotification> spare = TakeSpare();
    // A spare is only ever held by the pool; the fields are set outside the
    // lock because releasing an old payload may run any code.
    if (spare && !spare->IsQueued()) {
      spare->mName = id;
      spare->mPayload = payload;
      return spare;
    }
  }
  return RCPtr<LNotification>(new LNotification(id, payload));
}

int32_t LNotification::Release() {
  // Only the holder of the last reference can see a count of 1, so this test
  // needs no compare-and-exchange.
  if (!mRecycling.load(std::memory_order_relaxed) && GetRefCount() == 1) {
    mRecycling.store(true, std::memory_order_relaxed);
    Recycle(this);
    mRecycling.store(false, std::memory_order_relaxed);
  }
  return LRefCountedObject::Release();
}

void LNotification::Recycle(LNotification* notification) {
  if (!notification->IsQueued() && notification->mPayload) notification->mPayload = nullptr;
  if (!gPoolEnabled.load(std::memory_order_acquire)) return;
  MutexLocker lock(&GetNotificationLock());
  SparePool().AddItem(RCPtr<LNotification>(notification));
}

void LNotification::SetPoolEnabled(bool enabled) {
  gPoolEnabled.store(enabled, std::memory_order_release);
  if (enabled) return;
  // Spares are destroyed after the lock is left: their destruction goes
  // through Release, which must not find the pool locked by someone waiting.
  std::vector<RCPtr<LNotification>> spares;
  {
    MutexLocker lock(&GetNotificationLock());
    RCPtr<LNotification> spare;
    while (SparePool().RemoveLastItem(spare) >= 0) spares.push_back(std::move(spare));
  }
}

bool LNotification::IsPoolEnabled() { return gPoolEnabled.load(std::memory_order_acquire); }

uint32_t LNotification::GetPoolCount() {
  MutexLocker lock(&GetNotificationLock());
  return SparePool().GetCount();
}

}  // namespace HV
