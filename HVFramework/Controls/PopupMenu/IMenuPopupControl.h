#pragma once

#include "HVFramework/ControlBase/Control/IPopupMenuControl.h"
#include "HVFramework/ControlBase/Control/LMenuItemUpdater.h"
#include "HVFramework/Notification/LNotificationReceiver.h"

namespace HV {

// IMenuPopupControl: what a menu title and the menu bar ask of the pop-up
// menu in a title's "popupMenu" part, beyond what a context menu needs.
// UI thread only.
class IMenuPopupControl : public IPopupMenuControl {
 public:
  // The menu shown (the pop-up's own copy); null when none.
  virtual RCPtr<LMenuDescriptor> GetMenu() const = 0;
  // The receiver of the chosen items' commands. E_INVALIDARG for null,
  // E_FAIL once an owner is set (the first one stays); else 0.
  virtual HResult SetOwner(const RCPtr<LNotificationReceiver>& owner) = 0;
  // The link whose control is asked for the item states before the menu shows.
  virtual void SetItemUpdater(const RCPtr<LMenuItemUpdater>& updater) = 0;
  // Off: the menu no longer closes itself on a choice, on Escape or when it
  // loses the focus; the control that opened it closes it by hiding it.
  virtual void SetAutoClose(bool autoClose) = 0;
};

}  // namespace HV
