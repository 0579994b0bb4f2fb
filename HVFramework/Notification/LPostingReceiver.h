#pragma once

#include "HVFramework/Notification/LNotificationQueue.h"
#include "HVFramework/Notification/LNotificationReceiver.h"

namespace HV {

// LPostingReceiver: a receiver that posts a copy of what it receives into its
// queue, for objects that forward notifications (the hot-key managers). The
// received notification is left as it is, so it may be queued elsewhere too.
// Holds its queue (an internal reference of the queue) until the queue shuts
// down; from then on it drops what it gets.
class LNotificationQueue::LPostingReceiver : public LNotificationReceiver {
 public:
  explicit LPostingReceiver(LNotificationQueue* queue) : mQueue(queue) {}

  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;
  // A posting receiver is never registered anywhere: E_FAIL.
  HResult UnregisterNotification(const RCPtr<LNotificationDistributor>& source, const WChar* name) override;

  RCPtr<LNotificationQueue> GetQueue() const;
  // Lets go of the queue; answers the reference for the caller to drop.
  RCPtr<LNotificationQueue> DetachQueue();

 private:
  RCPtr<LNotificationQueue> mQueue;  // guarded by the queue lock
};

}  // namespace HV
