#pragma once

#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationDistributor.h"

#include <atomic>

namespace HV {

// LNotificationRegisteredClientInfo: one registration of a client for a name
// at a distributor, holding both (its reference to the distributor is the
// registration's, which the distributor counts as internal). Changed only
// under the distributor's lock; a delivery reads the flags and the registered
// mark without it (they are atomic), and reaches the latest notification
// under the lock.
class LNotificationDistributor::LNotificationRegisteredClientInfo : public virtual LRefCountedObject {
 public:
  LNotificationRegisteredClientInfo(const RCPtr<LNotificationClient>& client, LNotificationDistributor* source,
                                    int32_t flags)
      : mSource(source), mClient(client), mFlags(flags) {}

  const RCPtr<LNotificationClient>& GetClient() const { return mClient; }
  // The distributor registered at; the registration's reference to it.
  const RCPtr<LNotificationDistributor>& GetSource() const { return mSource; }
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
  // Released after the client: the client's last release may still call
  // the distributor.
  const RCPtr<LNotificationDistributor> mSource;
  const RCPtr<LNotificationClient> mClient;
  RCPtr<LNotification> mLatest;
  std::atomic<int32_t> mFlags;
  std::atomic<bool> mRegistered{true};
};

}  // namespace HV
