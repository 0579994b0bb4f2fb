#include "HVFramework/Controls/DropDown/LDropDownControl.h"

#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"

namespace HV {

LDropDownControl::LDropDownControl(LControl* parent, const StringW& name) : LControl(parent, name) {}

HResult LDropDownControl::Initialize() {
  const HResult base = LControl::Initialize();
  mHandler = RCPtr<LNotificationHandler<LDropDownControl>>(new LNotificationHandler<LDropDownControl>(this));
  const RCPtr<LNotificationDistributor> self(this);
  mHandler->SetNotification(&LDropDownControl::OnOwnMouseDown, self, kNidMouseDown);
  return base;
}

void LDropDownControl::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                           const RCPtr<LNotification>& notification) {
  if (DispatchToOwnHandler(*this, mHandler, source, notification)) return;
  LControl::ReceiveNotification(source, notification);
}

HResult LDropDownControl::SetFocus(bool forward) {
  const RCPtr<LControl> self(this);
  const HResult result = LControl::SetFocus(forward);
  if (IsDropDownShown()) {
    ShowDropDown(false);
    mFocusClosedDropDown = true;
  } else {
    mFocusClosedDropDown = false;
  }
  return result;
}

HResult LDropDownControl::OnOwnMouseDown(const RCPtr<LNotificationDistributor>& /*source*/,
                                         const RCPtr<LNotification>& /*notification*/) {
  if (mFocusClosedDropDown) mSuppressNextOpen = true;
  return S_OK;
}

void LDropDownControl::OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) {
  if (!conditions) return;
  const bool leftWentDown = (conditions->current & kLeftDown) && !(conditions->previous & kLeftDown);
  if (!leftWentDown) return;
  if (mSuppressNextOpen) {
    mSuppressNextOpen = false;
    return;
  }
  ShowDropDown(true);
}

HResult LDropDownControl::OnFocusLost() {
  const RCPtr<LControl> self(this);
  ShowDropDown(false);
  return LControl::OnFocusLost();
}

}  // namespace HV
