#include "HVFramework/Controls/CenteredSlider/LCenteredSlider.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ObjectBase/Exception.h"

namespace HV {

LCenteredSlider::LCenteredSlider(LControl* parent, const StringW& name) : LSlider(parent, name) {}

LCenteredSlider::~LCenteredSlider() = default;

RCPtr<LControl>& LCenteredSlider::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                         const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LCenteredSlider>(result, parent, descriptor);
}

HResult LCenteredSlider::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LCenteredSlider::Create);
}

HResult LCenteredSlider::Initialize() {
  if (LSlider::Initialize() < 0) return E_FAIL;
  mLowRangeBounds = FindChildControl(StringW(u"lowRangeBounds"));
  mHighRangeBounds = FindChildControl(StringW(u"highRangeBounds"));
  // The fills lie over the track: a press on them is a press on the track.
  for (const RCPtr<LControl>& bounds : {mLowRangeBounds, mHighRangeBounds}) {
    if (!bounds) continue;
    bounds->SetExcludedFromHitTesting(true);
    if (const RCPtr<LControl> fill = bounds->FindChildControl(StringW(u"fill")))
      fill->SetExcludedFromHitTesting(true);
  }
  SetBoundsPosFromThumbPos();
  return S_OK;
}

double LCenteredSlider::SetSliderPosition(double position) {
  const double held = LSlider::SetSliderPosition(position);
  // An initial value from the skin arrives before the thumb is made.
  if (GetThumb()) SetBoundsPosFromThumbPos();
  return held;
}

void LCenteredSlider::SetBoundsPosFromThumbPos() {
  if (!GetThumb())
    ThrowNullPointer("Thumb Child was not created.", HV_HERE("HV::LCenteredSlider::SetBoundsPosFromThumbPos"));
  LControl* start = GetThumbStart();
  LControl* end = GetThumbEnd();
  if (!start || !end) return;
  if (end->GetRect().y == start->GetRect().y) MoveBoundsOnAxis(0);
  if (end->GetRect().x == start->GetRect().x) MoveBoundsOnAxis(1);
}

void LCenteredSlider::MoveBoundsOnAxis(int32_t axis) {
  const RCPtr<LControl> self(this);
  const LLayoutDescriptor& thumb = *GetThumb()->GetLayout();
  const double centre = thumb.position[axis].absolute + thumb.size[axis].absolute * 0.5;
  for (const RCPtr<LControl>& bounds : {mLowRangeBounds, mHighRangeBounds}) {
    if (!bounds) continue;
    const LLayoutDescriptor& own = *bounds->GetLayout();
    LLayoutPosition position = own.position[axis];
    position.absolute = centre;
    bounds->SetAxisLayout(axis, position, own.size[axis], own.docked[axis]);
  }
}

}  // namespace HV
