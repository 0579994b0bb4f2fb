#pragma once

#include "HVFramework/Notification/NotificationName.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <atomic>

namespace HV {

// LNotification: the message object of the framework, an interned name (see
// NotificationNames.h) and an optional counted payload.
//
// Made only by Create. Once the framework enables recycling, a notification
// whose last reference goes is kept in a process-wide spare pool (its payload
// released at once) and handed out again by the next Create, last in first
// out. A notification waiting in a queue is marked queued: it cannot be queued
// twice and recycling leaves its payload alone. Any thread may create and
// release notifications; each thread keeps a few spares of its own in front
// of the process-wide pool, so creating and recycling take no lock.
class LNotification : public virtual LRefCountedObject {
 public:
  // A notification of that name and payload, a spare one when the pool has
  // one; null when the name is null or empty.
  static RCPtr<LNotification> Create(const WChar* name, const RCPtr<LRefCountedObject>& payload = nullptr);
  // The same by a name constant, whose identifier is kept: no lookup.
  static RCPtr<LNotification> Create(const NotificationName& name,
                                     const RCPtr<LRefCountedObject>& payload = nullptr);

  // Recycling on or off; switching it off destroys every spare notification.
  static void SetPoolEnabled(bool enabled);
  static bool IsPoolEnabled();
  // Spare notifications held now (for tests and diagnostics).
  static uint32_t GetPoolCount();

  // Dropping the last reference returns the notification to the pool.
  int32_t Release() override;

  const WChar* GetName() const { return mName; }
  bool HasName(const NotificationName& name) const { return name.IsId(mName); }
  const RCPtr<LRefCountedObject>& GetPayload() const { return mPayload; }
  bool IsQueued() const { return mQueued.load(std::memory_order_acquire); }

 private:
  friend class LNotificationQueue;

  LNotification(const WChar* id, const RCPtr<LRefCountedObject>& payload);
  // id: an interned name, not null.
  static RCPtr<LNotification> CreateInterned(const WChar* id, const RCPtr<LRefCountedObject>& payload);
  ~LNotification() override = default;

  // True when the pool took the releasing reference.
  static bool Recycle(LNotification* notification);
  // The queue's mark; answers the mark as it was.
  bool ExchangeQueued(bool queued) { return mQueued.exchange(queued, std::memory_order_acq_rel); }

  const WChar* mName;
  RCPtr<LRefCountedObject> mPayload;
  std::atomic<bool> mQueued{false};
  std::atomic<bool> mRecycling{false};
};

}  // namespace HV
