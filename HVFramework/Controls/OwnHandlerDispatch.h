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

// LOwnHandlerControl<Base, Owner>: the base of a control class Owner, derived
// from the control class Base, that subscribes member functions of its own.
// Owner's table is made on first use and tried before Base's; unregistering
// removes the entry from both.
//
//   class LPadEditPanel : public LOwnHandlerControl<LPanel, LPadEditPanel> { ... };
//   GetOwnHandler().SetNotification(&LPadEditPanel::OnChanged, source, kNidParametersChanged);
template <class Base, class Owner>
class LOwnHandlerControl : public Base {
 public:
  using Base::Base;

  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override {
    if (DispatchToOwnHandler(*this, mOwnHandler, source, notification)) return;
    Base::ReceiveNotification(source, notification);
  }

  HResult UnregisterNotification(const RCPtr<LNotificationDistributor>& source, const WChar* name) override {
    if (mOwnHandler) mOwnHandler->RemoveHandler(source, name);
    return Base::UnregisterNotification(source, name);
  }
  using Base::UnregisterNotification;

 protected:
  using OwnHandler = LNotificationHandler<Owner>;

  OwnHandler& GetOwnHandler() { return *GetOwnHandlerPtr(); }
  const RCPtr<OwnHandler>& GetOwnHandlerPtr() {
    if (!mOwnHandler) mOwnHandler = RCPtr<OwnHandler>(new OwnHandler(static_cast<Owner*>(this)));
    return mOwnHandler;
  }

 private:
  RCPtr<OwnHandler> mOwnHandler;
};

}  // namespace HV
