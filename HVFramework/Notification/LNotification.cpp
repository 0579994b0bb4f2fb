#include "HVFramework/Notification/LNotification.h"

#include "HVFramework/Notification/NotificationNames.h"
#include "HVFramework/System/MutexLocker.h"

#include <vector>

namespace HV {

namespace {

// The spare pool, a stack guarded by the global notification lock, holding
// one reference on each spare. A std::vector: the pool grows and shrinks by
// one at every release and creation, so its storage must not follow it. Made
// on first use and never destroyed, like the name table.
std::vector<RCPtr<LNotification>>& SparePool() {
  static auto* const pool = new std::vector<RCPtr<LNotification>>;
  return *pool;
}

// Written under the global notification lock, so a release that finds the
// pool enabled under the lock never stores a spare after the pool was emptied.
std::atomic<bool> gPoolEnabled{false};

}  // namespace

LNotification::LNotification(const WChar* id, const RCPtr<LRefCountedObject>& payload)
    : mName(id), mPayload(payload) {}

RCPtr<LNotification> LNotification::Create(const WChar* name, const RCPtr<LRefCountedObject>& payload) {
  const WChar* id = nullptr;
  RCPtr<LNotification> spare;
  {
    // Interning and taking a spare share one hold of the lock.
    MutexLocker lock(&GetNotificationLock());
    id = InternNotificationNameLocked(name);
    if (!id) return nullptr;
    std::vector<RCPtr<LNotification>>& pool = SparePool();
    if (gPoolEnabled.load(std::memory_order_relaxed) && !pool.empty()) {
      spare = std::move(pool.back());
      pool.pop_back();
    }
  }
  // A spare is only ever held by the pool; the fields are set outside the
  // lock because releasing an old payload may run any code.
  if (spare && !spare->IsQueued()) {
    spare->mName = id;
    spare->mPayload = payload;
    return spare;
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
  if (!gPoolEnabled.load(std::memory_order_relaxed)) return;
  MutexLocker lock(&GetNotificationLock());
  if (gPoolEnabled.load(std::memory_order_relaxed)) SparePool().emplace_back(notification);
}

void LNotification::SetPoolEnabled(bool enabled) {
  // Spares are destroyed after the lock is left: their destruction goes
  // through Release, which takes the lock again.
  std::vector<RCPtr<LNotification>> spares;
  MutexLocker lock(&GetNotificationLock());
  gPoolEnabled.store(enabled, std::memory_order_relaxed);
  if (!enabled) spares.swap(SparePool());
}

bool LNotification::IsPoolEnabled() { return gPoolEnabled.load(std::memory_order_relaxed); }

uint32_t LNotification::GetPoolCount() {
  MutexLocker lock(&GetNotificationLock());
  return static_cast<uint32_t>(SparePool().size());
}

}  // namespace HV
