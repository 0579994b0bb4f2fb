#include "HVFramework/ControlBase/Control/ControlCreation.h"

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"

namespace HV {
void RunCreatorSteps(LControl& control, const RCPtr<LControlDescriptor>& descriptor) {
  const LControl::SkinBuild build;
  try {
    control.CreateFromDescriptor(descriptor);
    control.CreateChildControls(descriptor);
    control.Initialize();
    control.OnCreated();
    control.SetCreated();
  } catch (...) {
    // A control that could not be built leaves its parent's tree.
    if (LControl* parent = control.GetParent()) parent->GetChildren().Remove(&control);
    throw;
  }
}

// The factory's library sees no control class, so this member lives here.
RCPtr<LControl> LControlFactory::CreateControl(const RCPtr<LControlDescriptor>& descriptor,
                                               const RCPtr<LControl>& parent) {
  if (!descriptor) return nullptr;
  LControlDescriptor::CreateFunction create = descriptor->GetCreateFunction();
  if (!create) {
    GetControlCreateFunction(descriptor->GetClassName(), create);
    descriptor->SetCreateFunction(create);
  }
  RCPtr<LControl> result;
  if (create) create(result, parent, descriptor);
  return result;
}

HResult LControlFactory::ApplySkin(const RCPtr<LControl>& control) {
  if (!control) return E_FAIL;
  const RCPtr<LControlDescriptor> descriptor = FindControlDescriptor(control->GetName());
  if (!descriptor) return E_FAIL;
  return control->CreateFromDescriptor(descriptor);
}

}  // namespace HV
