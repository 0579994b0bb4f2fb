#include "HVFramework/Notification/LNotificationClientPool.h"

#include "HVFramework/System/MutexLocker.h"

#include <algorithm>

namespace HV {

using Pool = LNotificationDistributor::LNotificationClientPool;
using Record = LNotificationDistributor::LNotificationRegisteredClientInfo;

// The place of one delivery in the records: the index of the record it is
// delivering to now. Registered with the pool for the delivery's length so
// that RemoveClient can keep it on the same record; guarded by the pool's lock.
class Pool::DeliveryCursor {
 public:
  // Starts one past index: the first step lands on index.
  DeliveryCursor(Pool& pool, int32_t index) : mPosition(index + 1), mPool(pool) {
    MutexLocker lock(&mPool.mLock);
    mPool.mCursors.push_back(this);
  }
  ~DeliveryCursor() {
    MutexLocker lock(&mPool.mLock);
    mPool.mCursors.erase(std::find(mPool.mCursors.begin(), mPool.mCursors.end(), this));
  }
  DeliveryCursor(const DeliveryCursor&) = delete;
  DeliveryCursor& operator=(const DeliveryCursor&) = delete;

  int32_t mPosition;

 private:
  Pool& mPool;
};

int32_t Pool::GetCombinedFlags() {
  MutexLocker lock(&mLock);
  return mCombinedFlags;
}

uint32_t Pool::GetCount() {
  MutexLocker lock(&mLock);
  return mRecords.GetCount();
}

int32_t Pool::FindClient(const RCPtr<LNotificationClient>& client) {
  MutexLocker lock(&mLock);
  for (uint32_t i = mRecords.GetCount(); i-- > 0;)
    if ((*mRecords.GetItemPtr(i))->GetClient() == client) return static_cast<int32_t>(i);
  return -1;
}

bool Pool::AddClient(const RCPtr<LNotificationClient>& client, int32_t flags) {
  MutexLocker lock(&mLock);
  const int32_t index = FindClient(client);
  if (index < 0) {
    mRecords.AddItem(RCPtr<Record>(new Record(client, flags)));
    mCombinedFlags |= flags;
    return true;
  }
  Record& record = **mRecords.GetItemPtr(static_cast<uint32_t>(index));
  if (record.GetFlags() == flags) return false;
  record.SetFlags(flags);
  mCombinedFlags = 0;
  for (const RCPtr<Record>& each : mRecords) mCombinedFlags |= each->GetFlags();
  return false;
}

RCPtr<Record> Pool::RemoveClient(const RCPtr<LNotificationClient>& client) {
  MutexLocker lock(&mLock);
  const int32_t index = FindClient(client);
  RCPtr<Record> removed;
  if (index < 0) return removed;
  mRecords.RemoveItem(static_cast<uint32_t>(index), removed);
  // Records behind the removed one move down by one; so does every delivery
  // standing on one of them.
  for (DeliveryCursor* cursor : mCursors)
    if (index < cursor->mPosition) --cursor->mPosition;
  return removed;
}

bool Pool::GetClientFlags(const RCPtr<LNotificationClient>& client, int32_t& flags) {
  MutexLocker lock(&mLock);
  const int32_t index = FindClient(client);
  if (index < 0) return false;
  flags = (*mRecords.GetItemPtr(static_cast<uint32_t>(index)))->GetFlags();
  return true;
}

RCPtr<LNotificationClient> Pool::GetClientAt(uint32_t index) {
  MutexLocker lock(&mLock);
  if (index >= mRecords.GetCount()) return nullptr;
  return (*mRecords.GetItemPtr(index))->GetClient();
}

std::vector<RCPtr<LNotification>> Pool::SetLatest(const RCPtr<LNotification>& notification) {
  std::vector<RCPtr<LNotification>> replaced;
  MutexLocker lock(&mLock);
  if ((mCombinedFlags & LNotificationClient::kLatestOnly) == 0) return replaced;
  for (uint32_t i = mRecords.GetCount(); i-- > 0;) {
    Record& record = **mRecords.GetItemPtr(i);
    if (record.IsLatestOnly()) replaced.push_back(record.ExchangeLatest(notification));
  }
  return replaced;
}

RCPtr<Record> Pool::TakeRecordForDelivery(int32_t position, const RCPtr<LNotification>& notification) {
  RCPtr<Record> record = *mRecords.GetItemPtr(static_cast<uint32_t>(position));
  if (!record->IsLatestOnly()) return record;
  // A latest-only client hears only the notification queued last for it; the
  // caller still holds that notification, so clearing the mark frees nothing.
  if (record->GetLatest() != notification) return nullptr;
  record->ExchangeLatest(nullptr);
  return record;
}

bool Pool::DeliverNext(DeliveryCursor& cursor, const RCPtr<LNotificationDistributor>& source,
                       const RCPtr<LNotification>& notification) {
  RCPtr<Record> record;
  {
    MutexLocker lock(&mLock);
    const auto count = static_cast<int32_t>(mRecords.GetCount());
    cursor.mPosition = std::min(cursor.mPosition - 1, count - 1);
    if (cursor.mPosition < 0) return false;
    record = TakeRecordForDelivery(cursor.mPosition, notification);
  }
  if (record) {
    const RCPtr<LNotificationClient> client = record->GetClient();
    client->ReceiveNotification(source, notification);
  }
  return true;
}

HResult Pool::SendNotification(const RCPtr<LNotificationDistributor>& source,
                               const RCPtr<LNotification>& notification) {
  const auto count = static_cast<int32_t>(GetCount());
  if (count == 0) return S_FALSE;
  DeliveryCursor cursor(*this, count - 1);
  while (DeliverNext(cursor, source, notification)) {
  }
  return S_OK;
}

int32_t Pool::SendToClient(const RCPtr<LNotificationDistributor>& source, int32_t index,
                           const RCPtr<LNotification>& notification) {
  const auto count = static_cast<int32_t>(GetCount());
  if (index >= count) return count;
  DeliveryCursor cursor(*this, index);
  DeliverNext(cursor, source, notification);
  MutexLocker lock(&mLock);
  return cursor.mPosition;
}

}  // namespace HV
