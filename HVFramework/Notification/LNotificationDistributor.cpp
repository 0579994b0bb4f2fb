#include "HVFramework/Notification/LNotificationDistributor.h"

#include "HVFramework/Notification/LNotificationClientPool.h"
#include "HVFramework/Notification/NotificationNames.h"
#include "HVFramework/System/MutexLocker.h"

namespace HV {

using Pool = LNotificationDistributor::LNotificationClientPool;
using Record = LNotificationDistributor::LNotificationRegisteredClientInfo;

namespace {

// Every distributor that has registrations, one counted reference each (an
// internal reference of the distributor). Distributors on different threads
// register at once, so the list has a lock of its own, taken after the
// distributor's. Made on first use and never destroyed: distributors still
// registered at exit stay reachable.
struct DistributorList {
  Mutex lock;
  std::vector<RCPtr<LNotificationDistributor>> items;

  // Searched from the newest: a distributor made last tends to go first.
  std::vector<RCPtr<LNotificationDistributor>>::iterator Find(const LNotificationDistributor* distributor) {
    for (auto item = items.end(); item != items.begin();)
      if ((--item)->Get() == distributor) return item;
    return items.end();
  }
};

DistributorList& GetDistributorList() {
  static auto* const list = new DistributorList;
  return *list;
}

void EnterDistributorList(LNotificationDistributor* distributor) {
  DistributorList& list = GetDistributorList();
  MutexLocker lock(&list.lock);
  list.items.emplace_back(distributor);
  distributor->AddInternalReferences(1);
}

// The list's reference, for the caller to drop once it holds no lock.
RCPtr<LNotificationDistributor> LeaveDistributorList(LNotificationDistributor* distributor) {
  DistributorList& list = GetDistributorList();
  MutexLocker lock(&list.lock);
  const auto item = list.Find(distributor);
  if (item == list.items.end()) return nullptr;
  distributor->AddInternalReferences(-1);
  RCPtr<LNotificationDistributor> reference = std::move(*item);
  list.items.erase(item);
  return reference;
}

}  // namespace

LNotificationDistributor::LNotificationDistributor() : mLock(std::make_shared<std::mutex>()) {}

// No registration is left (each holds a reference to this distributor), so
// the pools are empty and no client is called.
LNotificationDistributor::~LNotificationDistributor() = default;

HResult LNotificationDistributor::RegisterClient(const RCPtr<LNotificationClient>& client, const WChar* name,
                                                 int32_t flags) {
  if (!client) return E_INVALIDARG;
  return RegisterInterned(client, InternNotificationName(name), flags);
}

HResult LNotificationDistributor::RegisterClient(const RCPtr<LNotificationClient>& client,
                                                 const NotificationName& name, int32_t flags) {
  if (!client) return E_INVALIDARG;
  return RegisterInterned(client, name.GetId(), flags);
}

HResult LNotificationDistributor::RegisterInterned(const RCPtr<LNotificationClient>& client, const WChar* id,
                                                   int32_t flags) {
  if (!id) return S_FALSE;
  const std::lock_guard lock(*mLock);
  Pool* pool = FindPool(id);
  if (!pool) {
    mPools.push_back({id, RCPtr<Pool>(new Pool(id, mLock))});
    pool = mPools.back().pool.Get();
  }
  // The new record holds the registration's reference to this distributor,
  // which goes with the record.
  if (!pool->AddClientLocked(client, flags, this)) return S_FALSE;  // registered already: only the flags changed
  AddInternalReferences(1);
  if (++mRegistrationCount == 1) EnterDistributorList(this);
  return S_OK;
}

HResult LNotificationDistributor::UnregisterClient(const RCPtr<LNotificationClient>& client,
                                                   const WChar* name) {
  if (!client) return E_INVALIDARG;
  const WChar* id = InternNotificationName(name);
  if (!id) return E_INVALIDARG;
  RCPtr<Record> removed;
  RCPtr<LNotificationDistributor> listReference;
  {
    const std::lock_guard lock(*mLock);
    if (Pool* pool = FindPool(id)) removed = pool->RemoveClientLocked(client);
    if (!removed) return S_FALSE;
    if (--mRegistrationCount == 0) listReference = LeaveDistributorList(this);
    AddInternalReferences(-1);
  }
  // The references go with no lock held: the client's or this distributor's
  // last release may run their clean-up. The record goes last: its reference
  // to this distributor (the registration's) may be the last one.
  listReference = nullptr;
  removed = nullptr;
  return S_OK;
}

int32_t LNotificationDistributor::UnregisterClientFromAll(const RCPtr<LNotificationClient>& client) {
  if (!client) return E_INVALIDARG;
  const RCPtr<LNotificationDistributor> self(this);
  int32_t removed = 0;
  for (uint32_t i = GetPoolCount(); i-- > 0;)
    if (UnregisterClient(client, GetPoolAt(i)->GetName()) == S_OK) ++removed;
  return removed;
}

HResult LNotificationDistributor::UnregisterAllClients() {
  // The clients unregister themselves and call back into UnregisterClient;
  // they are asked one at a time with no lock held.
  const RCPtr<LNotificationDistributor> self(this);
  for (uint32_t p = GetPoolCount(); p-- > 0;) {
    const RCPtr<Pool> pool = GetPoolAt(p);
    for (uint32_t r = pool->GetCount(); r-- > 0;)
      if (const RCPtr<LNotificationClient> client = pool->GetClientAt(r))
        client->UnregisterNotification(self, pool->GetName());
  }
  return S_OK;
}

bool LNotificationDistributor::HasClient(const RCPtr<LNotificationClient>& client) {
  const std::lock_guard lock(*mLock);
  for (size_t i = mPools.size(); i-- > 0;)
    if (mPools[i].pool->FindClientLocked(client) >= 0) return true;
  return false;
}

HResult LNotificationDistributor::GetClientFlags(const RCPtr<LNotificationClient>& client, const WChar* name,
                                                 int32_t& flags) {
  const WChar* id = InternNotificationName(name);
  if (!id) return E_FAIL;
  const RCPtr<Pool> pool = FindClientPool(id);
  return pool && pool->GetClientFlags(client, flags) ? S_OK : E_FAIL;
}

Pool* LNotificationDistributor::FindPool(const WChar* id) const {
  for (size_t i = mPools.size(); i-- > 0;)
    if (mPools[i].name == id) return mPools[i].pool.Get();
  return nullptr;
}

RCPtr<Pool> LNotificationDistributor::FindClientPool(const WChar* id) {
  const std::lock_guard lock(*mLock);
  return FindPool(id);
}

bool LNotificationDistributor::HasClients(const NotificationName& name, int32_t notCounting) {
  const RCPtr<Pool> pool = FindClientPool(name.GetId());
  return pool && pool->HasClientWithout(notCounting);
}

HResult LNotificationDistributor::SendNotification(const RCPtr<LNotification>& notification) {
  if (!notification) return E_INVALIDARG;
  // The pool lives as long as this distributor, which the records of the
  // snapshot keep alive for the length of the delivery.
  Pool* pool = nullptr;
  Pool::SnapshotRef snapshot;
  {
    const std::lock_guard lock(*mLock);
    pool = FindPool(notification->GetName());
    if (pool) snapshot = pool->GetSnapshot();
  }
  if (!snapshot) return S_FALSE;
  pool->Deliver(*snapshot, notification);
  return S_OK;
}

int32_t LNotificationDistributor::GetRegistrationCount() {
  const std::lock_guard lock(*mLock);
  return mRegistrationCount;
}

bool LNotificationDistributor::IsInDistributorList() const {
  DistributorList& list = GetDistributorList();
  MutexLocker lock(&list.lock);
  return list.Find(this) != list.items.end();
}

RCPtr<Pool> LNotificationDistributor::GetPoolAt(uint32_t index) {
  const std::lock_guard lock(*mLock);
  return mPools.at(index).pool;
}

uint32_t LNotificationDistributor::GetPoolCount() {
  const std::lock_guard lock(*mLock);
  return static_cast<uint32_t>(mPools.size());
}

}  // namespace HV
