#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"

namespace HV {

class LControl;

// LMenuItemUpdater: the link through which a menu asks a control for the
// states of its items before it shows (LControl::UpdateMenuItem). Menus may
// hold the link longer than the control lives: the control unlinks it when
// it goes, and a link without a control answers nothing. UI thread only.
class LMenuItemUpdater : public virtual LRefCountedObject {
 public:
  static RCPtr<LMenuItemUpdater> Create(LControl* control) {
    return RCPtr<LMenuItemUpdater>(new LMenuItemUpdater(control));
  }

  // Null once the control is gone.
  LControl* GetControl() const { return mControl; }
  void Unlink() { mControl = nullptr; }

 protected:
  explicit LMenuItemUpdater(LControl* control) : mControl(control) {}

 private:
  LControl* mControl;  // not owned: the control owns the link
};

}  // namespace HV
