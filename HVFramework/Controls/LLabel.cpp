#include "HVFramework/Controls/LLabel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"

namespace HV {

RCPtr<LControl>& LLabel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LLabel>(result, parent, descriptor);
}

HResult LLabel::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LLabel::Create);
}

HResult LLabel::OnCreated() {
  SetNotFocusable(true);
  return S_OK;
}

StringW LLabel::GetToolTipText() const { return IsTextClipped() ? GetText() : LControl::GetToolTipText(); }

}  // namespace HV
