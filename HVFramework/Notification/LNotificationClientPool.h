#pragma once

#include "HVFramework/Notification/LNotificationDistributor.h"
#include "HVFramework/Notification/LNotificationRegisteredClientInfo.h"

#include <memory>
#include <mutex>
#include <vector>

namespace HV {

// LNotificationClientPool: the registration records of one name at one
// distributor, in the order of registration, and the delivery to them.
//
// A delivery works on a snapshot: the records as they were when it started,
// an immutable list made again (at the next delivery) after every change and
// shared by every delivery until the next change. It calls the records from
// the newest to the oldest with no lock held, skipping a record whose
// registration has ended meanwhile; a record added during a delivery is not
// in its snapshot, so it is not called by it. Nested and concurrent
// deliveries each keep their own snapshot, so no one is skipped or called
// twice whatever the clients change. A delivery takes no lock and no count
// per client: the snapshot holds the records, the records hold the clients
// and the distributor.
//
// The pool shares its distributor's lock, so the distributor finds a pool and
// takes its snapshot under one hold of one lock. The lock is a plain mutex:
// no code runs under it but the pools' and the distributor's own, which never
// take it twice (the distributor calls the ...Locked operations).
class LNotificationDistributor::LNotificationClientPool : public virtual LRefCountedObject {
 public:
  using Record = LNotificationRegisteredClientInfo;

  using Snapshot = std::vector<RCPtr<Record>>;
  using SnapshotRef = std::shared_ptr<const Snapshot>;

  LNotificationClientPool(const WChar* id, std::shared_ptr<std::mutex> lock)
      : mName(id), mLock(std::move(lock)) {}

  const WChar* GetName() const { return mName; }
  int32_t GetCombinedFlags();
  uint32_t GetCount();
  // Whether a record has none of flags.
  bool HasClientWithout(int32_t flags);

  // The removed record (its references go with it), or null. The caller
  // drops it once it holds no lock.
  RCPtr<Record> RemoveClient(const RCPtr<LNotificationClient>& client);
  // Index of the client's record, searching from the newest; -1 when none.
  int32_t FindClient(const RCPtr<LNotificationClient>& client);
  // The flags of the client's record; false when it has none.
  bool GetClientFlags(const RCPtr<LNotificationClient>& client, int32_t& flags);
  // The client of the record at index, or null past the end.
  RCPtr<LNotificationClient> GetClientAt(uint32_t index);

  // Makes notification the latest of every latest-only record. Answers the
  // notifications it replaced, for the caller to drop outside every lock.
  std::vector<RCPtr<LNotification>> SetLatest(const RCPtr<LNotification>& notification);

  // 0 after delivering to every record (latest-only records that do not hold
  // this notification as their latest are skipped); 1 when there are none.
  HResult SendNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification);
  // Delivers to the record at index only; answers the position of that record
  // after the call (the index less the older records removed meanwhile; the
  // caller goes on with that minus 1), or the number of records when index is
  // past the end.
  int32_t SendToClient(const RCPtr<LNotificationDistributor>& source, int32_t index,
                       const RCPtr<LNotification>& notification);

 private:
  friend class LNotificationDistributor;

  // The lock is held: the current snapshot, made when a change dropped it;
  // null when there are no records.
  SnapshotRef GetSnapshot() {
    if (!mSnapshot && !mRecords.empty()) MakeSnapshot();
    return mSnapshot;
  }
  void MakeSnapshot() { mSnapshot = std::make_shared<const Snapshot>(mRecords); }
  // Delivers to every record of the snapshot, the newest first, as from the
  // distributor each record holds (or from source). No lock held.
  void Deliver(const Snapshot& snapshot, const RCPtr<LNotification>& notification);
  void Deliver(const Snapshot& snapshot, const RCPtr<LNotificationDistributor>& source,
               const RCPtr<LNotification>& notification);
  void DeliverTo(Record& record, const RCPtr<LNotificationDistributor>& source,
                 const RCPtr<LNotification>& notification);
  // Whether a latest-only record hears this notification (the one queued
  // last for it), clearing the mark when it does.
  bool TakeLatest(Record& record, const RCPtr<LNotification>& notification);
  int32_t FindClientLocked(const RCPtr<LNotificationClient>& client) const;
  // True when a new record, holding the registration's reference to source,
  // was appended; an existing record of the client takes the new flags
  // instead.
  bool AddClientLocked(const RCPtr<LNotificationClient>& client, int32_t flags, LNotificationDistributor* source);
  RCPtr<Record> RemoveClientLocked(const RCPtr<LNotificationClient>& client);

  const WChar* const mName;
  const std::shared_ptr<std::mutex> mLock;  // the distributor's
  int32_t mCombinedFlags = 0;
  std::vector<RCPtr<Record>> mRecords;
  SnapshotRef mSnapshot;  // of mRecords; null after a change
};

}  // namespace HV
