#include "HVFramework/Controls/LLevelMeter.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/ObjectBase/ValueScope.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <utility>

namespace HV {
namespace {

// Levels and peaks are fractions of the meter: anything outside 0..1 (or not
// a number) would size the bar past the meter or put the marker beyond its
// high position.
double ClampToUnit(double v) {
  if (!(v > 0)) return 0;
  return v < 1 ? v : 1;
}

}  // namespace

RCPtr<LControl>& LLevelMeter::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                     const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LLevelMeter>(result, parent, descriptor);
}

HResult LLevelMeter::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LLevelMeter::Create);
}

// --- Computations ---

int32_t LLevelMeter::ComputeBarLength(double meterLength, double level, bool vertical) {
  return RoundToInt32(meterLength * (vertical ? 1.0 - level : level));
}

int32_t LLevelMeter::ComputePeakOffset(double low, double high, double peak) {
  return RoundToInt32((high - low) * peak);
}

// --- Level and clip ---

HResult LLevelMeter::SetLevel(double level, double peak) { return SetLevelAndClip(level, peak, mClipState); }

HResult LLevelMeter::SetLevelAndClip(double level, double peak, int32_t clip) {
  UpdateClipLight(clip);
  double held = 0;
  {
    const FlagScope applying(mSettingLevel);
    held = LControl::SetNormalizedValue(ClampToUnit(level));
  }
  SizeBar(held);
  PlacePeakMarker(ClampToUnit(peak));
  return S_OK;
}

void LLevelMeter::UpdateClipLight(int32_t clip) {
  if (clip != mClipState)
    SetClipLight(true);
  else if (!mClipLatching)
    SetClipLight(false);
  mClipState = clip;
}

void LLevelMeter::SetClipLight(bool lit) {
  if (mClipButton) mClipButton->SetNormalizedValue(lit ? 1.0 : 0.0);
}

bool LLevelMeter::IsClipLit() const { return mClipButton && mClipButton->GetNormalizedValue() >= 0.5; }

HResult LLevelMeter::SetClipLatching(bool latch) {
  if (!mClipButton) return E_FAIL;
  SetClipLight(false);
  if (latch == mClipLatching) return S_OK;
  const RCPtr<LNotificationDistributor> button(mClipButton.Get());
  if (latch) {
    if (!mHandler) return E_FAIL;
    const HResult subscribed = mHandler->SetNotification(&LLevelMeter::OnClipButtonClick, button, kNidLeftClick);
    if (subscribed < 0) return subscribed;
  } else {
    UnregisterNotification(button, kNidLeftClick.GetId());
  }
  mClipLatching = latch;
  return S_OK;
}

HResult LLevelMeter::OnClipButtonClick(const RCPtr<LNotificationDistributor>& /*source*/,
                                       const RCPtr<LNotification>& /*notification*/) {
  if (IsClipLit()) {
    SetClipLight(false);
    SendNotification(LNotification::Create(kNidCliplightUnlatched));
  }
  return 1;
}

void LLevelMeter::OnValueChanged() {
  if (!mSettingLevel) SetLevelAndClip(GetNormalizedValue(), 0.0, mClipState);
}

// --- Placement ---

void LLevelMeter::SizeBar(double level) {
  if (!mActiveOverlay) return;
  const int32_t axis = Axis();
  const double meterLength = axis == 1 ? GetRect().height : GetRect().width;
  const int32_t length = ComputeBarLength(meterLength, level, IsVertical());
  if (length < 1) {
    mActiveOverlay->SetVisible(false);
    return;
  }
  mActiveOverlay->SetVisible(true);
  const LLayoutDescriptor& layout = *mActiveOverlay->GetLayout();
  const LLayoutPosition position = layout.position[axis];
  const bool docked = layout.docked[axis];
  mActiveOverlay->SetAxisLayout(axis, position, LLayoutSize{2, {}, 0, static_cast<double>(length)}, docked);
}

// The marker goes to its low position plus the peak's share of the span to
// the high one, so that a peak of 1 reaches the high position exactly.
void LLevelMeter::PlacePeakMarker(double peak) {
  if (!mPeakMarker) return;
  const int32_t axis = Axis();
  const double low = axis == 1 ? mPeakLoPosition.y : mPeakLoPosition.x;
  const double high = axis == 1 ? mPeakHiPosition.y : mPeakHiPosition.x;
  const int32_t offset = ComputePeakOffset(low, high, peak);
  if (offset == 0) {
    mPeakMarker->SetVisible(false);
    return;
  }
  mPeakMarker->SetVisible(true);
  const LLayoutDescriptor& layout = *mPeakMarker->GetLayout();
  LLayoutPosition position = layout.position[axis];
  const LLayoutSize size = layout.size[axis];
  const bool docked = layout.docked[axis];
  position.absolute = mPeakLoLayoutOffset[axis] + offset;
  mPeakMarker->SetAxisLayout(axis, position, size, docked);
}

// --- Creation ---

HResult LLevelMeter::Initialize() {
  const HResult result = LControl::Initialize();
  if (result < 0) return result;
  mHandler = RCPtr<LNotificationHandler<LLevelMeter>>(new LNotificationHandler<LLevelMeter>(this));
  mPeakMarker = FindChildControl(StringW(u"peakLo"));
  mActiveOverlay = FindChildControl(StringW(u"activeOverlay"));
  mClipButton = FindChildControl(StringW(u"clipButton"));
  // The marker and the bar cover the meter: the pointer on them shows the
  // meter's tool tip.
  for (const RCPtr<LControl>& part : {mPeakMarker, mActiveOverlay})
    if (part) part->SetUseParentToolTip(true);
  return result;
}

HResult LLevelMeter::OnCreated() {
  const Rect& rect = GetRect();
  mVertical = rect.height > rect.width ? 1 : 0;
  if (mPeakMarker) {
    mPeakMarker->SetVisible(false);
    mPeakMarker->SetNotFocusable(true);
    mPeakLoPosition = {mPeakMarker->GetRect().x, mPeakMarker->GetRect().y};
    const LLayoutDescriptor& layout = *mPeakMarker->GetLayout();
    mPeakLoLayoutOffset = {layout.position[0].absolute, layout.position[1].absolute};
    if (const RCPtr<LControl> high = FindChildControl(StringW(u"peakHi"))) {
      high->SetVisible(false);
      high->SetNotFocusable(true);
      mPeakHiPosition = {high->GetRect().x, high->GetRect().y};
    } else {
      mPeakMarker = nullptr;  // without a high position there is no peak to show
    }
  }
  if (mActiveOverlay) {
    mActiveOverlay->SetVisible(false);
    mActiveOverlay->SetNotFocusable(true);
  }
  if (mClipButton) mClipButton->SetNotFocusable(true);
  SetNotFocusable(true);
  OnValueChanged();
  return S_OK;
}

// --- Notifications ---

void LLevelMeter::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                      const RCPtr<LNotification>& notification) {
  if (!DispatchToOwnHandler(*this, mHandler, source, notification))
    LControl::ReceiveNotification(source, notification);
}

HResult LLevelMeter::UnregisterNotification(const RCPtr<LNotificationDistributor>& source,
                                            const WChar* name) {
  if (mHandler) mHandler->RemoveHandler(source, name);
  return LControl::UnregisterNotification(source, name);
}

}  // namespace HV
