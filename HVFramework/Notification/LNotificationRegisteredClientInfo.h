#pragma once

#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Notification/LNotificationDistributor.h"

namespace HV {

// LNotificationRegisteredClientInfo: one registration of a client for a name
// at a distributor. The latest notification and the flags are guarded by the
// lock of the pool that holds the record.
class LNotificationDistributor::LNotificationRegisteredClientInfo : public virtual LRefCountedObject {
 public:
  LNotificationRegisteredClientInfo(const RCPtr<LNotificationClient>& client, int32_t flags)
      : mClient(client), mFlags(flags) {}

  const RCPtr<LNotificationClient>& GetClient() const { return mClient; }
  int32_t GetFlags() const { return mFlags; }
  void SetFlags(int32_t flags) { mFlags = flags; }
  bool IsLatestOnly() const { return (mFlags & LNotificationClient::kLatestOnly) != 0; }

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
  int32_t mFlags;
};

}  // namespace HV
