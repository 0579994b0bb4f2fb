#include "HVFramework/Controls/Knob/LKnob.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>

namespace HV {
namespace {

constexpr double kDefaultFineAdjust = 0.25;
// The linear gesture spans about this many pixels, a whole number per frame.
constexpr double kLinearTravel = 128.0;
// The linear gesture needs at least two pixels: its step is the travel less one.
constexpr int32_t kMinimumLinearRange = 2;
constexpr uint32_t kCtrlModifier = 0x01;

std::string Narrowed(const StringW& text) { return text.ToCharString().GetText(); }

double NormalizedAngle(double degrees) {
  if (!std::isfinite(degrees)) return 0.0;
  degrees = std::fmod(degrees, 360.0);
  if (degrees < 0) degrees += 360.0;
  return degrees >= 360.0 ? 0.0 : degrees;
}

}  // namespace

LKnob::LKnob(LControl* parent, const StringW& name) : LControl(parent, name) {}

LKnob::~LKnob() = default;

RCPtr<LControl>& LKnob::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                               const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LKnob>(result, parent, descriptor);
}

HResult LKnob::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LKnob::Create);
}

// --- Creation ---

HResult LKnob::Initialize() {
  const HResult base = LControl::Initialize();
  if (base < 0) return base;
  ReadCreateParams();
  mRadialMode = (mRadialStartAngle != 0 || mRadialEndAngle != 0) ? 1 : 0;
  mRadialStartAngle = NormalizedAngle(mRadialStartAngle);
  mRadialEndAngle = NormalizedAngle(mRadialEndAngle);
  if (mFineAdjustMultiplier == 0) mFineAdjustMultiplier = kDefaultFineAdjust;
  SetRange(0.0, 127.0, kLinear);
  return base;
}

void LKnob::ReadCreateParams() {
  StringW text;
  if (GetCreateParam(u"LINEAR_GESTURE_FULL_RANGE", text)) mLinearFullRange = std::atoi(Narrowed(text).c_str());
  if (GetCreateParam(u"RADIAL_GESTURE_START_ANGLE", text)) mRadialStartAngle = std::atof(Narrowed(text).c_str());
  if (GetCreateParam(u"RADIAL_GESTURE_END_ANGLE", text)) mRadialEndAngle = std::atof(Narrowed(text).c_str());
  if (GetCreateParam(u"FINE_ADJUST_MULTIPLIER", text))
    mFineAdjustMultiplier = std::atof(Narrowed(text).c_str());
}

HResult LKnob::OnCreated() {
  mFrameCount = 0;
  while (static_cast<int32_t>(mFrameCount) < GetLookCount() && GetLook(static_cast<int32_t>(mFrameCount)))
    ++mFrameCount;
  const auto hasLook = [this](int32_t index) { return index < GetLookCount() && GetLook(index); };
  const int32_t frames = static_cast<int32_t>(mFrameCount);
  mFocusLookIndex = mDisabledLookIndex = -1;
  if (hasLook(frames + 1)) {
    mFocusLookIndex = frames + 1;
    if (HasFocus()) ApplyOverlay(mFocusLookIndex);
  }
  if (hasLook(frames + 2)) {
    mDisabledLookIndex = frames + 2;
    if (!IsEnabled(true)) ApplyOverlay(mDisabledLookIndex);
  }
  if (mRadialMode == 0 && mLinearFullRange == 0 && mFrameCount > 0) {
    // A whole number of pixels per frame (at least one, so that a knob of
    // many frames still has a travel), about 128 in all.
    const double perFrame = std::max(1.0, RoundHalfAway(kLinearTravel / mFrameCount));
    mLinearFullRange = static_cast<int32_t>(perFrame * mFrameCount);
  }
  if (mRadialMode == 0) mLinearFullRange = std::max(mLinearFullRange, kMinimumLinearRange);
  if (GetLook(-1)) {
    const Rect client = GetClientOffsets(-1);
    mCentreX = static_cast<int32_t>(client.x + client.width * 0.5);
    mCentreY = static_cast<int32_t>(client.y + client.height * 0.5);
  } else {
    mCentreX = static_cast<int32_t>(GetRect().width * 0.5);
    mCentreY = static_cast<int32_t>(GetRect().height * 0.5);
  }
  OnValueChanged();
  return S_OK;
}

// --- Value and frames ---

double LKnob::SetNormalizedValue(double value) {
  if (GetConditions() & kLeftDrag) {
    mPendingPosition = value;
    return GetNormalizedValue();
  }
  return LControl::SetNormalizedValue(value);
}

void LKnob::OnValueChanged() {
  if (mFrameCount == 0) return;
  SelectLook(RoundToInt32((mFrameCount - 1) * GetNormalizedValue()));
}

// --- Gestures ---

void LKnob::OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) {
  if (!conditions) return;
  const RCPtr<LControl> self(this);
  const uint32_t previous = conditions->previous;
  const uint32_t current = conditions->current;
  if ((current & kLeftDrag) && !(previous & kLeftDrag)) {
    // The conditions carry the pointer in the knob's own coordinates.
    mLastPointX = mPreviousPointX = RoundToInt32(conditions->x);
    mLastPointY = mPreviousPointY = RoundToInt32(conditions->y);
    if (mRadialMode != 0) SetValueFromAngle(mLastPointX, mLastPointY);
    mPendingPosition = -1.0;
    SendValueCapture(*this, true);
  } else if (!(current & kLeftDrag) && (previous & kLeftDrag)) {
    if (mPendingPosition >= 0 && mPendingPosition <= 1) LControl::SetNormalizedValue(mPendingPosition);
    mPendingPosition = -1.0;
    SendValueCapture(*this, false);
  } else if ((previous & kHasFocus) && !(current & kHasFocus)) {
    mArrowKeys.ReleaseOnFocusLoss(*this);
  }
  UpdateOverlays(previous, current);
}

void LKnob::OnMouseMoved(const RCPtr<LPointWithModifiersParam>& param) {
  if (!param || !(GetConditions() & kLeftDrag)) return;
  const RCPtr<LControl> self(this);
  if (mRadialMode != 0)
    SetValueFromAngle(param->x, param->y);
  else
    DragLinear(*param);
}

void LKnob::DragLinear(const LPointWithModifiersParam& point) {
  // Ctrl as the move reports it: fine steps.
  const bool fine = (point.modifiers & kCtrlModifier) != 0;
  double dx = double(point.x) - mLastPointX;
  double dy = double(point.y) - mLastPointY;
  const double e = (double(point.x) - mPreviousPointX) - (double(point.y) - mPreviousPointY);
  // A diagonal move whose components would cancel keeps the axis the recent
  // motion favours.
  if (dx > 0 && dy > 0) {
    if (e > 0 && dy > dx)
      dy = 0;
    else if (e < 0 && dx > dy)
      dx = 0;
  } else if (dx < 0 && dy < 0) {
    if (e > 0 && dy > dx)
      dx = 0;
    else if (e < 0 && dx > dy)
      dy = 0;
  }
  const double range = mLinearFullRange;
  double change = (dx - dy) / (range - 1);
  if (fine) change *= mFineAdjustMultiplier;
  const double value = std::clamp(GetNormalizedValue() + change, 0.0, 1.0);
  const double steps = fine ? range / mFineAdjustMultiplier - 1 : range - 1;
  LControl::SetNormalizedValue(RoundHalfAway(steps * value) / steps);
  mPreviousPointX = mLastPointX;
  mPreviousPointY = mLastPointY;
  mLastPointX = point.x;
  mLastPointY = point.y;
}

int32_t LKnob::SetValueFromAngle(double x, double y) {
  const double dx = x - mCentreX;
  const double dy = y - mCentreY;
  if (dx == 0 && dy == 0) return 1;
  // Degrees clockwise from straight up (screen y grows downward).
  double angle = NormalizedAngle((std::atan2(dy, dx) + std::numbers::pi / 2) * 180.0 / std::numbers::pi);
  const double start = mRadialStartAngle;
  double end = mRadialEndAngle;
  if (end <= start) end += 360.0;
  if (angle <= start) angle += 360.0;
  if (angle >= start && angle <= end) {
    const double value = (angle - start) / (end - start);
    if (value >= 0 && value <= 1) LControl::SetNormalizedValue(value);
    return 0;
  }
  // The dead zone after the end: its half next to the end means the end.
  LControl::SetNormalizedValue(angle <= end + (start + 360.0 - end) * 0.5 ? 1.0 : 0.0);
  return 0;
}

// --- Keys and wheel ---

HResult LKnob::ProcessKey(const RCPtr<LKeyParam>& key) { return mArrowKeys.Handle(*this, key); }

HResult LKnob::OnMouseWheelUpDown(const RCPtr<LMouseWheelParam>& param) { return StepValueByWheel(*this, param); }

HResult LKnob::OnMouseWheelOther(const RCPtr<LMouseWheelParam>& param) { return StepValueByWheel(*this, param); }

// --- Overlays ---

void LKnob::UpdateOverlays(uint32_t previous, uint32_t current) {
  const uint32_t changed = previous ^ current;
  if ((changed & kHasFocus) && mFocusLookIndex > 0) ApplyOverlay(current & kHasFocus ? mFocusLookIndex : -1);
  if ((changed & kEnabled) && mDisabledLookIndex > 0)
    ApplyOverlay(current & kEnabled ? -1 : mDisabledLookIndex);
}

void LKnob::ApplyOverlay(int32_t lookIndex) {
  RCPtr<LBitmap> bitmap;
  ResizeType resize{};
  if (lookIndex >= 0) {
    const RCPtr<LLook>& look = GetLook(lookIndex);
    const RCPtr<LVisualPart> part = look ? look->GetClientPart() : nullptr;
    if (!part) return;
    bitmap = part->GetBitmap();
    resize = static_cast<ResizeType>(part->GetResizeType());
  }
  for (int32_t frame = static_cast<int32_t>(mFrameCount) - 1; frame >= 0; --frame)
    SetLookBitmap(bitmap, resize, frame, false);
}

}  // namespace HV
