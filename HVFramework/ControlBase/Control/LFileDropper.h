#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"

namespace HV {

class LControlFactory;

// LFileDropper: a small control the user picks up with the left button,
// drags and drops; once dropped it leaves its parent (and dies with its last
// reference). It uses the control's own dragging, not the desktop's drag and
// drop. Visible and focusable from its creation. UI thread only.
class LFileDropper : public LControl {
 public:
  static constexpr const WChar* kClassName = u"Framework.FileDropper";

  LFileDropper(LControl* parent, const StringW& name) : LControl(parent, name) {}

  // The create function registered for "Framework.FileDropper".
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // The drop: the drag ends as for any control, then the dropper leaves its parent.
  void OnDragEnd() override;
  HResult OnCreated() override;

 protected:
  // A left press arms a drag that starts with the first movement.
  void OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) override;
};

}  // namespace HV
