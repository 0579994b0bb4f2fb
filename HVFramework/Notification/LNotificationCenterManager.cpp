#include "HVFramework/Notification/LNotificationCenterManager.h"

#include <mutex>
#include <utility>

namespace HV {

RCPtr<LNotificationCenter> LNotificationCenterManager::FindCenter(const StringW& name) {
  for (uint32_t i = 0; i < mCenters.GetCount(); ++i) {
    const RCPtr<LNotificationCenter>& centre = *mCenters.GetItemPtr(i);
    const StringW& centreName = centre->GetName();
    if (centreName.GetBuffer() == name.GetBuffer() || centreName == name) return centre;
  }
  return nullptr;
}

RCPtr<LNotificationCenter> LNotificationCenterManager::GetCenter(const StringW& name) {
  if (name.IsEmpty()) return nullptr;
  if (RCPtr<LNotificationCenter> found = FindCenter(name)) return found;
  RCPtr<LNotificationCenter> centre = LNotificationCenter::Create(name);
  mCenters.AddItem(centre);
  return centre;
}

bool LNotificationCenterManager::ProcessNotifications(bool sendIdle) {
  bool pending = false;
  for (uint32_t i = mCenters.GetCount(); i-- > 0;) {
    const RCPtr<LNotificationCenter> centre = *mCenters.GetItemPtr(i);
    if (centre->ProcessNotifications(sendIdle)) pending = true;
  }
  return pending;
}

namespace {

// Workers may ask for the manager while the user-interface thread makes it.
std::mutex& ManagerLock() {
  static std::mutex lock;
  return lock;
}

RCPtr<LNotificationCenterManager>& ManagerSlot() {
  static RCPtr<LNotificationCenterManager> manager;
  return manager;
}

}  // namespace

const RCPtr<LNotificationCenterManager>& GetNotificationCenterManager() {
  const std::lock_guard<std::mutex> hold(ManagerLock());
  RCPtr<LNotificationCenterManager>& manager = ManagerSlot();
  if (!manager) manager = RCPtr<LNotificationCenterManager>(new LNotificationCenterManager);
  return manager;
}

void ReleaseNotificationCenterManager() {
  RCPtr<LNotificationCenterManager> released;
  {
    const std::lock_guard<std::mutex> hold(ManagerLock());
    released = std::move(ManagerSlot());
    ManagerSlot() = nullptr;
  }
  // The centres go with the manager, outside the lock: their clients run.
}

RCPtr<LNotificationCenter> GetApplicationNotificationCenter() {
  return GetNotificationCenterManager()->GetCenter(StringW(kApplicationNotificationCenterName));
}

}  // namespace HV
