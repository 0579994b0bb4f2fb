#include "HVFramework/Notification/LNotificationClientPool.h"

#include "HVFramework/System/RuntimeFaults.h"
#include "HVFramework/Utilities/Storage/Utf8Text.h"

#include <algorithm>
#include <string>

namespace HV {

using Pool = LNotificationDistributor::LNotificationClientPool;
using Record = Pool::Record;

int32_t Pool::GetCombinedFlags() {
  const std::lock_guard lock(*mLock);
  return mCombinedFlags;
}

uint32_t Pool::GetCount() {
  const std::lock_guard lock(*mLock);
  return static_cast<uint32_t>(mRecords.size());
}

bool Pool::HasClientWithout(int32_t flags) {
  const std::lock_guard lock(*mLock);
  return std::any_of(mRecords.begin(), mRecords.end(),
                     [flags](const RCPtr<Record>& record) { return (record->GetFlags() & flags) == 0; });
}

int32_t Pool::FindClientLocked(const RCPtr<LNotificationClient>& client) const {
  for (size_t i = mRecords.size(); i-- > 0;)
    if (mRecords[i]->GetClient() == client) return static_cast<int32_t>(i);
  return -1;
}

int32_t Pool::FindClient(const RCPtr<LNotificationClient>& client) {
  const std::lock_guard lock(*mLock);
  return FindClientLocked(client);
}

bool Pool::AddClientLocked(const RCPtr<LNotificationClient>& client, int32_t flags,
                           LNotificationDistributor* source) {
  const int32_t index = FindClientLocked(client);
  if (index < 0) {
    mRecords.emplace_back(new Record(client, source, flags));
    mCombinedFlags |= flags;
    // Every record of the old snapshot is still held by mRecords, so letting
    // it go here frees no record and runs no client code.
    mSnapshot.reset();
    return true;
  }
  Record& record = *mRecords[static_cast<size_t>(index)];
  if (record.GetFlags() == flags) return false;
  record.SetFlags(flags);  // the record is shared with the snapshots: they see the new flags
  mCombinedFlags = 0;
  for (const RCPtr<Record>& each : mRecords) mCombinedFlags |= each->GetFlags();
  return false;
}

RCPtr<Record> Pool::RemoveClient(const RCPtr<LNotificationClient>& client) {
  const std::lock_guard lock(*mLock);
  return RemoveClientLocked(client);
}

RCPtr<Record> Pool::RemoveClientLocked(const RCPtr<LNotificationClient>& client) {
  const int32_t index = FindClientLocked(client);
  if (index < 0) return nullptr;
  const auto at = mRecords.begin() + index;
  RCPtr<Record> removed = std::move(*at);
  mRecords.erase(at);
  // Deliveries holding an older snapshot skip it from now on.
  removed->SetUnregistered();
  // The old snapshot holds the removed record too, but the caller's
  // reference outlives this one, so nothing is freed under the lock.
  mSnapshot.reset();
  return removed;
}

bool Pool::GetClientFlags(const RCPtr<LNotificationClient>& client, int32_t& flags) {
  const std::lock_guard lock(*mLock);
  const int32_t index = FindClientLocked(client);
  if (index < 0) return false;
  flags = mRecords[static_cast<size_t>(index)]->GetFlags();
  return true;
}

RCPtr<LNotificationClient> Pool::GetClientAt(uint32_t index) {
  const std::lock_guard lock(*mLock);
  if (index >= mRecords.size()) return nullptr;
  return mRecords[index]->GetClient();
}

std::vector<RCPtr<LNotification>> Pool::SetLatest(const RCPtr<LNotification>& notification) {
  std::vector<RCPtr<LNotification>> replaced;
  const std::lock_guard lock(*mLock);
  if ((mCombinedFlags & LNotificationClient::kLatestOnly) == 0) return replaced;
  for (size_t i = mRecords.size(); i-- > 0;)
    if (mRecords[i]->IsLatestOnly()) replaced.push_back(mRecords[i]->ExchangeLatest(notification));
  return replaced;
}

bool Pool::TakeLatest(Record& record, const RCPtr<LNotification>& notification) {
  const std::lock_guard lock(*mLock);
  if (record.GetLatest() != notification) return false;
  // The caller still holds that notification, so clearing the mark frees
  // nothing under the lock.
  record.ExchangeLatest(nullptr);
  return true;
}

HResult Pool::SendNotification(const RCPtr<LNotificationDistributor>& source,
                               const RCPtr<LNotification>& notification) {
  SnapshotRef snapshot;
  {
    const std::lock_guard lock(*mLock);
    snapshot = GetSnapshot();
  }
  if (!snapshot) return S_FALSE;
  Deliver(*snapshot, source, notification);
  return S_OK;
}

int32_t Pool::SendToClient(const RCPtr<LNotificationDistributor>& source, int32_t index,
                           const RCPtr<LNotification>& notification) {
  SnapshotRef snapshot;
  {
    const std::lock_guard lock(*mLock);
    snapshot = GetSnapshot();
  }
  const auto count = snapshot ? static_cast<int32_t>(snapshot->size()) : 0;
  if (index >= count) return count;
  if (index < 0) return index;
  DeliverTo(*(*snapshot)[static_cast<size_t>(index)], source, notification);
  // The record has moved down by one for every older record that left
  // meanwhile; records added meanwhile come after it.
  int32_t position = 0;
  for (int32_t i = 0; i < index; ++i) position += (*snapshot)[static_cast<size_t>(i)]->IsRegistered() ? 1 : 0;
  return position;
}

void LNotificationDistributor::LNotificationClientPool::Deliver(const Snapshot& snapshot,
                                                              const RCPtr<LNotification>& notification) {
  for (size_t i = snapshot.size(); i-- > 0;) {
    Record& record = *snapshot[i];
    DeliverTo(record, record.GetSource(), notification);
  }
}

void LNotificationDistributor::LNotificationClientPool::Deliver(const Snapshot& snapshot,
                                                              const RCPtr<LNotificationDistributor>& source,
                                                              const RCPtr<LNotification>& notification) {
  for (size_t i = snapshot.size(); i-- > 0;) DeliverTo(*snapshot[i], source, notification);
}

void LNotificationDistributor::LNotificationClientPool::DeliverTo(Record& record,
                                                                const RCPtr<LNotificationDistributor>& source,
                                                                const RCPtr<LNotification>& notification) {
  if (!record.IsRegistered()) return;
  if (record.IsLatestOnly() && !TakeLatest(record, notification)) return;
  // One client's exception costs its own action only: the clients after it
  // still hear of the notification, and the sender goes on.
  try {
    record.GetClient()->ReceiveNotification(source, notification);
  } catch (...) {
    const std::string name = ToUtf8(StringW(notification->GetName()));
    ReportCurrentException("the delivery of " + name);
  }
}

}  // namespace HV
