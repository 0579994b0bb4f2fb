#pragma once

#include "HVFramework/Notification/ApplicationNotificationCenterName.h"
#include "HVFramework/Notification/LNotificationCenter.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"

namespace HV {

// LNotificationCenterManager: the process's notification centres, in the
// order they were made, and the drain of them all at idle time. One per
// process (GetNotificationCenterManager); centres are made, found and drained
// on the user-interface thread only, so nothing here is locked.
class LNotificationCenterManager : public virtual LRefCountedObject {
 public:
  // The centre of that name (the same text, case-sensitive), or null.
  RCPtr<LNotificationCenter> FindCenter(const StringW& name);
  // The centre of that name, made when missing; null for an empty name.
  RCPtr<LNotificationCenter> GetCenter(const StringW& name);
  // Drains every centre, the last made first; true when any still holds
  // notifications.
  bool ProcessNotifications(bool sendIdle);

 private:
  RCPtrArray<LNotificationCenter, 1, 0> mCenters;
};

// The process-wide manager, made on the first call.
const RCPtr<LNotificationCenterManager>& GetNotificationCenterManager();

}  // namespace HV
