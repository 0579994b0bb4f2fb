#include "HVFramework/Notification/LPostingReceiver.h"

#include <mutex>

namespace HV {

using Receiver = LNotificationQueue::LPostingReceiver;

void Receiver::ReceiveNotification(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>& notification) {
  const RCPtr<LNotificationQueue> queue = GetQueue();
  if (!queue || !notification) return;
  queue->PostNotification(LNotification::Create(notification->GetName(), notification->GetPayload()));
}

HResult Receiver::UnregisterNotification(const RCPtr<LNotificationDistributor>&, const WChar*) { return E_FAIL; }

RCPtr<LNotificationQueue> Receiver::GetQueue() const {
  std::lock_guard<std::recursive_mutex> lock(LNotificationQueue::GetQueueLock());
  return mQueue;
}

RCPtr<LNotificationQueue> Receiver::DetachQueue() {
  std::lock_guard<std::recursive_mutex> lock(LNotificationQueue::GetQueueLock());
  return std::move(mQueue);
}

}  // namespace HV
