#include "HVFramework/Notification/LNotificationClient.h"

#include "HVFramework/Notification/LNotificationDistributor.h"
#include "HVFramework/Notification/NotificationNames.h"

namespace HV {

const WChar* LNotificationClient::RegisterNotification(const RCPtr<LNotificationDistributor>& source,
                                                       const WChar* name, int32_t flags) {
  if (!source) return nullptr;
  const WChar* id = InternNotificationName(name);
  if (!id) return nullptr;
  return CountRegistration(source.Get(), id, source->RegisterClient(RCPtr<LNotificationClient>(this), id, flags));
}

const WChar* LNotificationClient::RegisterNotification(const RCPtr<LNotificationDistributor>& source,
                                                       const NotificationName& name, int32_t flags) {
  if (!source) return nullptr;
  const WChar* id = name.GetId();
  if (!id) return nullptr;
  return CountRegistration(source.Get(), id, source->RegisterClient(RCPtr<LNotificationClient>(this), name, flags));
}

const WChar* LNotificationClient::CountRegistration(LNotificationDistributor* source, const WChar* id,
                                                    HResult result) {
  if (result == S_OK) {
    AddInternalReferences(1);
    ++mRegistrationCount;
  }
  if (result == S_OK || result == S_FALSE) AddDistributor(source);
  return id;
}

void LNotificationClient::ReceiveNotification(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {}

HResult LNotificationClient::UnregisterNotification(const RCPtr<LNotificationDistributor>& source,
                                                    const WChar* name) {
  if (mRegistrationCount == 0) return S_FALSE;
  if (!source || !name) return E_INVALIDARG;
  const RCPtr<LNotificationClient> self(this);
  // The registration's reference stops being internal before the distributor
  // drops it, so that drop is never taken for the last outside release.
  AddInternalReferences(-1);
  const HResult result = source->UnregisterClient(self, name);
  if (result != S_OK) {
    AddInternalReferences(1);
    return result;
  }
  --mRegistrationCount;
  if (!source->HasClient(self)) RemoveDistributor(source.Get());
  return result;
}

int32_t LNotificationClient::UnregisterAllNotifications() {
  const int32_t registrations = mRegistrationCount;
  if (registrations < 1) return 0;
  AddInternalReferences(-registrations);
  const RCPtr<LNotificationClient> self(this);
  int32_t removed = 0;
  while (mDistributors.GetCount() > 0) {
    const uint32_t last = mDistributors.GetCount() - 1;
    // The list holds plain pointers; the registrations about to go are what
    // keeps the distributor alive, so hold it for the length of the call.
    const RCPtr<LNotificationDistributor> distributor(*mDistributors.GetItemPtr(last));
    mDistributors.RemoveSpace(last, 1);
    const int32_t count = distributor->UnregisterClientFromAll(self);
    if (count > 0) removed += count;
  }
  mRegistrationCount = 0;
  return removed;
}

HResult LNotificationClient::ReleaseInternalReferences() {
  UnregisterAllNotifications();
  return LRefCountedObject::ReleaseInternalReferences();
}

void LNotificationClient::AddDistributor(LNotificationDistributor* distributor) {
  if (mDistributors.FindItem(distributor) < 0) mDistributors.AddItem(distributor);
}

void LNotificationClient::RemoveDistributor(LNotificationDistributor* distributor) {
  const int32_t index = mDistributors.FindItem(distributor);
  if (index >= 0) mDistributors.RemoveSpace(static_cast<uint32_t>(index), 1);
}

}  // namespace HV
