#include "HVFramework/ControlBase/Control/LFileDropper.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/LConditionsParam.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"

namespace HV {
namespace {

// Free movement above the siblings, on both axes.
constexpr int32_t kFreeDrag = 1;
constexpr uint32_t kBothAxes = 1 | 2;
// The drag starts with the first movement of the pointer. (A threshold of 0
// would make the press itself a drag, and a click would drop the control.)
constexpr int32_t kFirstMovement = 1;

}  // namespace

RCPtr<LControl>& LFileDropper::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                      const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LFileDropper>(result, parent, descriptor);
}

HResult LFileDropper::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LFileDropper::Create);
}

void LFileDropper::OnDragEnd() {
  const RCPtr<LControl> self(this);
  LControl::OnDragEnd();
  if (LControl* parent = GetParent()) {
    const RCPtr<LControl> owner(parent);
    owner->RemoveChildControl(self);
  }
}

HResult LFileDropper::OnCreated() {
  SetNotFocusable(false);
  SetVisible(true);
  return S_OK;
}

void LFileDropper::OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) {
  const bool pressed = (conditions->current & kLeftDown) && !(conditions->previous & kLeftDown);
  if (!pressed) return;
  SetDragMode(kFreeDrag, kBothAxes);
  SetDragThreshold(kFirstMovement);
}

}  // namespace HV
