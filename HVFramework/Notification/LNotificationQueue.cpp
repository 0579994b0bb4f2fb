#include "HVFramework/Notification/LNotificationQueue.h"

#include "HVFramework/Notification/LNotificationClientPool.h"
#include "HVFramework/Notification/LPostingReceiver.h"
#include "HVFramework/Notification/NotificationWakeHook.h"
#include "HVFramework/Notification/RuntimeNotificationNames.h"

#include <mutex>

namespace HV {

namespace {

using QueueLockGuard = std::lock_guard<std::recursive_mutex>;

// Ends a drain, also when a client throws.
class ProcessingReset {
 public:
  explicit ProcessingReset(std::atomic<bool>& processing) : mProcessing(processing) {}
  ~ProcessingReset() { mProcessing.store(false); }
  ProcessingReset(const ProcessingReset&) = delete;
  ProcessingReset& operator=(const ProcessingReset&) = delete;

 private:
  std::atomic<bool>& mProcessing;
};

}  // namespace

std::recursive_mutex& LNotificationQueue::GetQueueLock() {
  static auto* const lock = new std::recursive_mutex;
  return *lock;
}

LNotificationQueue::LNotificationQueue() : mQueue(&GetQueueLock(), 256) {
  mPostingReceiver = RCPtr<LPostingReceiver>(new LPostingReceiver(this));
  AddInternalReferences(1);  // the posting receiver's reference to this queue
  mIdleNotification = LNotification::Create(kNidIdle);
}

LNotificationQueue::~LNotificationQueue() { DiscardNotifications(); }

HResult LNotificationQueue::PostNotification(const RCPtr<LNotification>& notification) {
  if (!notification || notification->IsQueued()) return E_INVALIDARG;
  const RCPtr<LNotificationDistributor> distributor = GetDistributor();
  if (!distributor) return E_FAIL;
  const auto pool = distributor->FindClientPool(notification->GetName());
  std::vector<RCPtr<LNotification>> replaced;  // dropped after the lock
  {
    QueueLockGuard lock(GetQueueLock());
    if (notification->ExchangeQueued(true)) return E_INVALIDARG;
    // Marking the latest and queueing under one lock keeps the latest the one
    // queued last when several threads post the same name.
    if (pool) replaced = pool->SetLatest(notification);
    mQueue.Enqueue(notification);
  }
  // The draining thread may be asleep: it wakes for what was just queued.
  NotificationWakeHook::Run();
  return S_OK;
}

HResult LNotificationQueue::CreateAndPostNotification(const WChar* name, const RCPtr<LRefCountedObject>& payload) {
  return PostNotification(LNotification::Create(name, payload));
}

HResult LNotificationQueue::CreateAndPostNotification(const NotificationName& name,
                                                      const RCPtr<LRefCountedObject>& payload) {
  return PostNotification(LNotification::Create(name, payload));
}

bool LNotificationQueue::ProcessNotifications(bool sendIdle) {
  const RCPtr<LNotificationDistributor> distributor = GetDistributor();
  if (!mProcessing.exchange(true)) {
    const ProcessingReset reset(mProcessing);
    for (uint32_t n = mQueue.GetCount(); n > 0; --n) {
      const RCPtr<LNotification> notification = TakeOldest();
      if (!notification) break;  // a client emptied the queue
      const QueuedMarkClearer clearer(*notification);  // also when a client throws
      if (distributor) distributor->SendNotification(notification);
    }
  }
  if (sendIdle && distributor) distributor->SendNotification(mIdleNotification);
  return mQueue.GetCount() > 0;
}

bool LNotificationQueue::DiscardNotifications() {
  for (uint32_t n = mQueue.GetCount(); n > 0; --n) {
    const RCPtr<LNotification> notification = TakeOldest();
    if (!notification) break;
    notification->ExchangeQueued(false);
  }
  return mQueue.GetCount() > 0;
}

HResult LNotificationQueue::SetDistributor(const RCPtr<LNotificationDistributor>& distributor) {
  QueueLockGuard lock(GetQueueLock());
  if (mDistributor || !mPostingReceiver) return E_FAIL;
  if (distributor) mDistributor = distributor;
  return S_OK;
}

RCPtr<LNotificationDistributor> LNotificationQueue::GetDistributor() const {
  QueueLockGuard lock(GetQueueLock());
  return mDistributor;
}

RCPtr<LNotificationQueue::LPostingReceiver> LNotificationQueue::GetPostingReceiver() const {
  QueueLockGuard lock(GetQueueLock());
  return mPostingReceiver;
}

void LNotificationQueue::Shutdown() {
  DiscardNotifications();
  RCPtr<LNotificationDistributor> distributor;
  RCPtr<LPostingReceiver> receiver;
  {
    QueueLockGuard lock(GetQueueLock());
    distributor = std::move(mDistributor);
    receiver = std::move(mPostingReceiver);
  }
  // Internal references stop counting before the references they stand for
  // go, so those drops are never taken for the last outside release.
  RCPtr<LNotificationQueue> receiverReference;
  if (receiver) {
    receiverReference = receiver->DetachQueue();
    AddInternalReferences(-1);
  }
  // A centre delivers through itself; that self-reference is internal too.
  if (distributor && static_cast<LRefCountedObject*>(distributor.Get()) == static_cast<LRefCountedObject*>(this))
    AddInternalReferences(-1);
}

RCPtr<LNotification> LNotificationQueue::TakeOldest() {
  QueueLockGuard lock(GetQueueLock());
  if (mQueue.GetCount() == 0) return nullptr;
  return mQueue.Dequeue();
}

LNotificationQueue::QueuedMarkClearer::~QueuedMarkClearer() { mNotification.ExchangeQueued(false); }

}  // namespace HV
