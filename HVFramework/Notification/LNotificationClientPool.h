#pragma once

#include "HVFramework/Notification/LNotificationDistributor.h"
#include "HVFramework/Notification/LNotificationRegisteredClientInfo.h"

#include <vector>

namespace HV {

// LNotificationClientPool: the registration records of one name at one
// distributor, in the order of registration, and the delivery loop.
//
// Delivery walks the records from the newest to the oldest, fetching one
// record at a time under the pool's lock and calling its client with no lock
// held. Every delivery in progress keeps its position in a cursor that the
// pool adjusts when a record is removed, so removals and additions during a
// delivery (also from nested or concurrent deliveries) neither skip nor
// repeat anyone; a record added during a delivery is not called by it.
class LNotificationDistributor::LNotificationClientPool : public virtual LRefCountedObject {
 public:
  explicit LNotificationClientPool(const WChar* id) : mName(id) {}

  const WChar* GetName() const { return mName; }
  int32_t GetCombinedFlags();
  uint32_t GetCount();

  // True when a new record was appended; an existing record of the client
  // takes the new flags instead.
  bool AddClient(const RCPtr<LNotificationClient>& client, int32_t flags);
  // The removed record (its references go with it), or null. The caller
  // drops it once it holds no lock.
  RCPtr<LNotificationRegisteredClientInfo> RemoveClient(const RCPtr<LNotificationClient>& client);
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
  HResult SendNotification(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);
  // Delivers to the record at index only; answers the position after the call
  // (the index itself when the record was skipped; the caller goes on with
  // that minus 1), or the number of records when index is past the end.
  int32_t SendToClient(const RCPtr<LNotificationDistributor>& source, int32_t index,
                       const RCPtr<LNotification>& notification);

 private:
  class DeliveryCursor;

  // Under the lock: the record at position, or null when this notification
  // skips it (latest-only records).
  RCPtr<LNotificationRegisteredClientInfo> TakeRecordForDelivery(int32_t position,
                                                                 const RCPtr<LNotification>& notification);
  // Moves the cursor to the next older record and delivers to it; false when
  // none is left.
  bool DeliverNext(DeliveryCursor& cursor, const RCPtr<LNotificationDistributor>& source,
                   const RCPtr<LNotification>& notification);

  int32_t mCombinedFlags = 0;
  const WChar* const mName;
  RCPtrArray<LNotificationRegisteredClientInfo, 1, 0> mRecords;
  std::vector<DeliveryCursor*> mCursors;  // deliveries in progress
  Mutex mLock;
};

}  // namespace HV
