#include "HVFramework/Notification/LNotificationCenterManager.h"

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

const RCPtr<LNotificationCenterManager>& GetNotificationCenterManager() {
  static const RCPtr<LNotificationCenterManager> manager(new LNotificationCenterManager);
  return manager;
}

}  // namespace HV
