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
  RCPtrArray<LNotificationDistributor, 1, 0> items;

  int32_t Find(const LNotificationDistributor* distributor) {
    for (uint32_t i = items.GetCount(); i-- > 0;)
      if (items.GetItemPtr(i)->Get() == distributor) return static_cast<int32_t>(i);
    return -1;
  }
};

DistributorList& GetDistributorList() {
  static auto* const list = new DistributorList;
  return *list;
}

void EnterDistributorList(LNotificationDistributor* distributor) {
  DistributorList& list = GetDistributorList();
  MutexLocker lock(&list.lock);
  list.items.AddItem(RCPtr<LNotificationDistributor>(distributor));
  distributor->AddInternalReferences(1);
}

// The list's reference, for the caller to drop once it holds no lock.
RCPtr<LNotificationDistributor> LeaveDistributorList(LNotificationDistributor* distributor) {
  DistributorList& list = GetDistributorList();
  MutexLocker lock(&list.lock);
  RCPtr<LNotificationDistributor> reference;
  const int32_t index = list.Find(distributor);
  if (index < 0) return reference;
  distributor->AddInternalReferences(-1);
  list.items.RemoveItem(static_cast<uint32_t>(index), reference);
  return reference;
}

}  // namespace

LNotificationDistributor::LNotificationDistributor() = default;

// No registration is left (each holds a reference to this distributor), so
// the pools are empty and no client is called.
LNotificationDistributor::~LNotificationDistributor() = default;

HResult LNotificationDistributor::RegisterClient(const RCPtr<LNotificationClient>& client, const WChar* name,
                                                 int32_t flags) {
  if (!client) return E_INVALIDARG;
  const WChar* id = InternNotificationName(name);
  if (!id) return S_FALSE;
  MutexLocker lock(&mLock);
  RCPtr<Pool> pool = FindClientPool(id);
  const bool already = pool && pool->FindClient(client) >= 0;
  if (!already) {
    AddRef();  // the registration's reference, given back by UnregisterClient
    AddInternalReferences(1);
    if (++mRegistrationCount == 1) EnterDistributorList(this);
  }
  if (!pool) {
    pool = RCPtr<Pool>(new Pool(id));
    mPools.AddItem(pool);
  }
  pool->AddClient(client, flags);
  return already ? S_FALSE : S_OK;
}

HResult LNotificationDistributor::UnregisterClient(const RCPtr<LNotificationClient>& client, const WChar* name) {
  if (!client) return E_INVALIDARG;
  const WChar* id = InternNotificationName(name);
  if (!id) return E_INVALIDARG;
  RCPtr<Record> removed;
  RCPtr<LNotificationDistributor> listReference;
  {
    MutexLocker lock(&mLock);
    if (RCPtr<Pool> pool = FindClientPool(id)) removed = pool->RemoveClient(client);
    if (!removed) return S_FALSE;
    if (--mRegistrationCount == 0) listReference = LeaveDistributorList(this);
    AddInternalReferences(-1);
  }
  // The references go with no lock held: the client's or this distributor's
  // last release may run their clean-up.
  removed = nullptr;
  listReference = nullptr;
  Release();  // the registration's reference
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
  MutexLocker lock(&mLock);
  for (uint32_t i = mPools.GetCount(); i-- > 0;)
    if ((*mPools.GetItemPtr(i))->FindClient(client) >= 0) return true;
  return false;
}

HResult LNotificationDistributor::GetClientFlags(const RCPtr<LNotificationClient>& client, const WChar* name,
                                                 int32_t& flags) {
  const WChar* id = InternNotificationName(name);
  if (!id) return E_FAIL;
  const RCPtr<Pool> pool = FindClientPool(id);
  return pool && pool->GetClientFlags(client, flags) ? S_OK : E_FAIL;
}

RCPtr<Pool> LNotificationDistributor::FindClientPool(const WChar* id) {
  MutexLocker lock(&mLock);
  for (uint32_t i = mPools.GetCount(); i-- > 0;) {
    const RCPtr<Pool>& pool = *mPools.GetItemPtr(i);
    if (pool->GetName() == id) return pool;
  }
  return nullptr;
}

HResult LNotificationDistributor::SendNotification(const RCPtr<LNotification>& notification) {
  if (!notification) return E_INVALIDARG;
  const RCPtr<Pool> pool = FindClientPool(notification->GetName());
  if (!pool) return S_FALSE;
  return pool->SendNotification(RCPtr<LNotificationDistributor>(this), notification);
}

int32_t LNotificationDistributor::GetRegistrationCount() {
  MutexLocker lock(&mLock);
  return mRegistrationCount;
}

bool LNotificationDistributor::IsInDistributorList() const {
  DistributorList& list = GetDistributorList();
  MutexLocker lock(&list.lock);
  return list.Find(this) >= 0;
}

RCPtr<Pool> LNotificationDistributor::GetPoolAt(uint32_t index) {
  MutexLocker lock(&mLock);
  return *mPools.GetItemPtr(index);
}

uint32_t LNotificationDistributor::GetPoolCount() {
  MutexLocker lock(&mLock);
  return mPools.GetCount();
}

}  // namespace HV
