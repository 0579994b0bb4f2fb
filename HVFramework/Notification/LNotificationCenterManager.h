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

// The process-wide manager, made on the first call (and on the first call
// after a release). The reference stays valid until the manager is released.
const RCPtr<LNotificationCenterManager>& GetNotificationCenterManager();
// Lets go of the process-wide manager and with it of every centre it holds;
// the application does this when it ends. UI thread, with no other thread
// still reaching for the manager.
void ReleaseNotificationCenterManager();
// The application's centre (kApplicationNotificationCenterName) of the
// process-wide manager, made on first use.
RCPtr<LNotificationCenter> GetApplicationNotificationCenter();

}  // namespace HV
