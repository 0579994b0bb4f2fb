#pragma once

#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationDistributor.h"

#include <atomic>

namespace HV {

// LNotificationRegisteredClientInfo: one registration of a client for a name
// at a distributor. Changed only under the distributor's lock; a delivery
// reads the flags and the registered mark without it (they are atomic), and
// reaches the latest notification under the lock.
class LNotificationDistributor::LNotificationRegisteredClientInfo : public virtual LRefCountedObject {
 public:
  LNotificationRegisteredClientInfo(const RCPtr<LNotificationClient>& client, int32_t flags)
      : mClient(client), mFlags(flags) {}

  const RCPtr<LNotificationClient>& GetClient() const { return mClient; }
  int32_t GetFlags() const { return mFlags.load(std::memory_order_relaxed); }
  void SetFlags(int32_t flags) { mFlags.store(flags, std::memory_order_relaxed); }
  bool IsLatestOnly() const { return (GetFlags() & LNotificationClient::kLatestOnly) != 0; }

  // Cleared when the registration ends; a delivery that still holds the
  // record in its snapshot calls the client no more.
  bool IsRegistered() const { return mRegistered.load(std::memory_order_acquire); }
  void SetUnregistered() { mRegistered.store(false, std::memory_order_release); }

  // The notification of this name queued last for a latest-only client.
  const RCPtr<LNotification>& GetLatest() const { return mLatest; }
  RCPtr<LNotification> ExchangeLatest(const RCPtr<LNotification>& latest) {
    RCPtr<LNotification> old = std::move(mLatest);
    mLatest = latest;
    return old;
  }

 private:
  const RCPtr<LNotificationClient> mClient;
  RCPtr<LNotification> mLatest;
  std::atomic<int32_t> mFlags;
  std::atomic<bool> mRegistered{true};
};

}  // namespace HV
