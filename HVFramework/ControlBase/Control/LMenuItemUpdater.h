#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/ObjectBase/WeakRCPtr.h"

namespace HV {

class LControl;

// LMenuItemUpdater: the link through which a menu asks a control for the
// states of its items before it shows (LControl::UpdateMenuItem). Menus may
// hold the link longer than the control lives: the link does not hold the
// control, and once the control is gone it answers nothing. UI thread only.
class LMenuItemUpdater : public virtual LRefCountedObject {
 public:
  static RCPtr<LMenuItemUpdater> Create(const WeakRCPtr<LControl>& control) {
    return RCPtr<LMenuItemUpdater>(new LMenuItemUpdater(control));
  }

  // Null once the control is gone.
  LControl* GetControl() const { return mControl.Get(); }

 protected:
  explicit LMenuItemUpdater(const WeakRCPtr<LControl>& control) : mControl(control) {}

 private:
  WeakRCPtr<LControl> mControl;  // the control owns the link
};

}  // namespace HV
