#pragma once

#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Utilities/Storage/RCPtrQueue.h"

#include <atomic>

namespace HV {

class LNotificationDistributor;

// LNotificationQueue: notifications posted from any thread, delivered later
// through a distributor by the thread that drains the queue (the user
// interface thread, at idle time).
//
// The ring grows, so posting never fails for lack of room. A drain delivers
// only what was queued when it started, in order; what is posted meanwhile
// waits for the next drain. Every queue's ring shares one process-wide lock.
// Posting needs a distributor (SetDistributor). The posting receiver holds
// the queue until Shutdown, so the owner of a queue shuts it down when it lets
// go of it (a centre does so at its last outside release).
class LNotificationQueue : public virtual LRefCountedObject {
 public:
  class LPostingReceiver;

  LNotificationQueue();
  ~LNotificationQueue() override;
  LNotificationQueue(const LNotificationQueue&) = delete;
  LNotificationQueue& operator=(const LNotificationQueue&) = delete;

  // 0 queued; E_INVALIDARG for a null or already queued notification; E_FAIL
  // without a distributor.
  HResult PostNotification(const RCPtr<LNotification>& notification);
  HResult CreateAndPostNotification(const WChar* name, const RCPtr<LRefCountedObject>& payload = nullptr);
  HResult CreateAndPostNotification(const NotificationName& name, const RCPtr<LRefCountedObject>& payload = nullptr);

  // Delivers what is queued now, then "NID_IDLE" when sendIdle; true when
  // notifications are queued afterwards. A drain started from inside a drain
  // of the same queue delivers nothing but the idle notification.
  bool ProcessNotifications(bool sendIdle);
  // Drops what is queued now without delivering it; true when some remain.
  bool DiscardNotifications();

  // E_FAIL when a distributor is set already or the queue was shut down; a
  // null distributor is not stored.
  HResult SetDistributor(const RCPtr<LNotificationDistributor>& distributor);
  RCPtr<LNotificationDistributor> GetDistributor() const;
  // Posts a copy of every notification it receives into this queue.
  RCPtr<LPostingReceiver> GetPostingReceiver() const;
  // Discards what is queued and lets go of the distributor and the posting
  // receiver; posts are refused from then on.
  void Shutdown();

  uint32_t GetCount() const { return mQueue.GetCount(); }
  uint32_t GetCapacity() const { return mQueue.GetCapacity(); }

  // The lock of every queue's ring.
  static std::recursive_mutex& GetQueueLock();

 private:
  // Clears the queued mark of a notification taken out of the ring when its
  // delivery is over.
  class QueuedMarkClearer {
   public:
    explicit QueuedMarkClearer(LNotification& notification) : mNotification(notification) {}
    ~QueuedMarkClearer();
    QueuedMarkClearer(const QueuedMarkClearer&) = delete;
    QueuedMarkClearer& operator=(const QueuedMarkClearer&) = delete;

   private:
    LNotification& mNotification;
  };

  // Takes the oldest notification out; its queued mark stays until the
  // caller is done with it.
  RCPtr<LNotification> TakeOldest();

  std::atomic<bool> mProcessing{false};
  RCPtrQueue<LNotification, 256> mQueue;
  // Guarded by the queue lock: posts read them on any thread.
  RCPtr<LNotificationDistributor> mDistributor;
  RCPtr<LPostingReceiver> mPostingReceiver;
  RCPtr<LNotification> mIdleNotification;
};

}  // namespace HV

// Callers of GetPostingReceiver get the whole class.
#include "HVFramework/Notification/LPostingReceiver.h"
