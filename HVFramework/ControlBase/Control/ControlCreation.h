#pragma once

#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"

namespace HV {

// Runs the creator steps on a constructed control: CreateFromDescriptor,
// CreateChildControls, Initialize, OnCreated, then the created flag.
void RunCreatorSteps(LControl& control, const RCPtr<LControlDescriptor>& descriptor);

// The create function of class T, as registered with the factory: T is
// constructed with (parent, the descriptor's name), which attaches it to the
// parent, and then built with the creator steps. Children are therefore
// created and initialised inside their parent's CreateChildControls, before
// the parent's Initialize.
template <class T>
RCPtr<LControl>& CreateControlOfClass(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                      const RCPtr<LControlDescriptor>& descriptor) {
  RCPtr<T> control(new T(parent.Get(), descriptor->GetName()));
  RunCreatorSteps(*control, descriptor);
  result = control;
  return result;
}

}  // namespace HV
