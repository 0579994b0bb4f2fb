#pragma once

#include "HVFramework/Notification/LNotificationHandler.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"

namespace HV {

// Registers callback for name on every control of the array, in order, the
// control being the source. An empty entry is a null source (E_INVALIDARG);
// a failed registration throws a Failed Result exception.
template <class Control, class T>
void SetNotificationForAllArrayItems(const RCPtrArray<Control>& controls, LNotificationHandler<T>& handler,
                                     typename LNotificationHandler<T>::Handler callback,
                                     const NotificationName& name) {
  for (uint32_t i = 0; i < controls.GetCount(); ++i) {
    CheckResult(handler.SetNotification(callback, RCPtr<LNotificationDistributor>(controls.GetAt(i).Get()), name),
                HV_HERE("SetNotificationForAllArrayItems"));
  }
}

}  // namespace HV
