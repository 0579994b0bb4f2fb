#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/Notification/LNotificationHandler.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"

#include <initializer_list>

namespace HV {

// Follows the path child by child (direct children, exact names) from
// control; null where a link is missing or the last is not a T.
template <class T>
RCPtr<T> FindChildPath(const RCPtr<LControl>& control, std::initializer_list<const char16_t*> path) {
  RCPtr<LControl> at = control;
  for (const char16_t* name : path) {
    if (!at) return nullptr;
    at = at->FindChildControl(StringW(name));
  }
  return DynamicCast<T>(at);
}

// Registers callback for name on every control of the array, in order, the
// control being the source. An empty entry is a null source (E_INVALIDARG);
// a failed registration throws a Failed Result exception.
template <class Control, class T>
void SetNotificationForAllArrayItems(const RCPtrArray<Control>& controls, LNotificationHandler<T>& handler,
                                     typename LNotificationHandler<T>::Handler callback,
                                     const NotificationName& name) {
  for (uint32_t i = 0; i < controls.GetCount(); ++i) {
    CheckResult(
        handler.SetNotification(callback, RCPtr<LNotificationDistributor>(controls.GetAt(i).Get()), name),
        HV_HERE("SetNotificationForAllArrayItems"));
  }
}

}  // namespace HV
