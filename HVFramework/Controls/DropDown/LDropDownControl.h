#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/Notification/LNotificationHandler.h"

namespace HV {

// LDropDownControl: the base of the controls that open a drop-down part
// beside themselves (combo box, checked combo box, combo slider, combo menu).
// It owns no drop-down; it keeps the rule they share: a left press on the
// closed control opens the drop-down, a left press while it is open closes it
// and leaves it closed, and losing the focus closes it. A derived class says
// what "shown" means and how to open and close. UI thread only.
//
// The toggle rests on the control base's order of one left press: the focus
// moves first (SetFocus), then "NID_MOUSE_DOWN" is sent, then the capture
// sets the left-down condition (OnConditionsChanged).
class LDropDownControl : public LControl {
 public:
  LDropDownControl(LControl* parent, const StringW& name);

  // --- Overrides of the control base ---
  // Closes an open drop-down and remembers that this focus request did so.
  HResult SetFocus(bool forward) override;
  // The left button going down opens the drop-down, unless this press
  // already closed it.
  void OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) override;
  // The base's result, whatever the registration of the own handler gives.
  HResult Initialize() override;
  // Closes the drop-down (even when it is closed), then the base.
  HResult OnFocusLost() override;
  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override;

  // --- What a derived class supplies ---
  virtual bool IsDropDownShown() = 0;
  virtual HResult ShowDropDown(bool show) = 0;

  bool DidFocusCloseDropDown() const { return mFocusClosedDropDown; }
  bool IsNextOpenSuppressed() const { return mSuppressNextOpen; }

 private:
  // "NID_MOUSE_DOWN" from the control itself: a press whose focus request
  // closed the drop-down must not reopen it. 0, so the base sees it too.
  HResult OnOwnMouseDown(const RCPtr<LNotificationDistributor>& source,
                         const RCPtr<LNotification>& notification);

  RCPtr<LNotificationHandler<LDropDownControl>> mHandler;
  bool mFocusClosedDropDown = false;
  bool mSuppressNextOpen = false;
};

}  // namespace HV
