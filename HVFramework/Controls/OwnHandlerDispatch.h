#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/Notification/LNotificationHandler.h"

namespace HV {

// A control class that keeps a handler table of its own offers each delivered
// notification to it before its base class's table: true when the own table
// took it. Nothing is handled before the control is created, as in LControl.
// The table is held for the call, so a handler may drop the control's own
// reference to it.
template <class T>
bool DispatchToOwnHandler(const LControl& control, const RCPtr<LNotificationHandler<T>>& handler,
                          const RCPtr<LNotificationDistributor>& source,
                          const RCPtr<LNotification>& notification) {
  if (!control.IsCreated() || !handler) return false;
  const RCPtr<LNotificationHandler<T>> held = handler;
  return held->Dispatch(source, notification) != 0;
}

}  // namespace HV
