#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"

namespace HV {

class LControlFactory;

// LLabel: static text. Shows its control text in its look's text area, never
// takes the keyboard focus, and shows its whole text as tool tip when the
// text does not fit. UI thread only.
class LLabel : public LControl {
 public:
  static constexpr const WChar* kClassName = u"Framework.Label";

  LLabel(LControl* parent, const StringW& name) : LControl(parent, name) {}

  // The create function registered for "Framework.Label".
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
  static HResult Register(LControlFactory& factory);

  // A label is never focusable, whatever its create parameters say.
  HResult OnCreated() override;
  // The label's own text when it is cut off, else its "TOOLTIP" text.
  StringW GetToolTipText() const override;
};

}  // namespace HV
