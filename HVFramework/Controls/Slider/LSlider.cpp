#include "HVFramework/Controls/Slider/LSlider.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Platform/Core/Clock.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <algorithm>
#include <cmath>

namespace HV {
namespace {

// The clock counts whole milliseconds; a step that is due must not wait a
// tick longer because two readings differ by a little less than the delay.
constexpr double kTimeTolerance = 1e-6;

double Now() { return Platform::GetSecondsSinceStart(); }

PointT<int32_t> RoundedPosition(const LControl& control) {
  const LControl::Rect& rect = control.GetRect();
  return PointT<double>{rect.x, rect.y}.RoundToLong();
}

bool Same(const PointT<int32_t>& a, const PointT<int32_t>& b) { return a.x == b.x && a.y == b.y; }

}  // namespace

LSlider::LSlider(LControl* parent, const StringW& name) : LPanel(parent, name) {}

LSlider::~LSlider() = default;

RCPtr<LControl>& LSlider::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LSlider>(result, parent, descriptor);
}

HResult LSlider::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LSlider::Create);
}

// --- Creation ---

HResult LSlider::Initialize() {
  if (LPanel::Initialize() < 0) return E_FAIL;
  mHandler = RCPtr<LNotificationHandler<LSlider>>(new LNotificationHandler<LSlider>(this));
  mThumbEnd = FindChildControl(StringW(u"thumbEnd"));
  mThumbStart = FindChildControl(StringW(u"thumbStart"));
  if (const RCPtr<LControlDescriptor> descriptor = MakeThumbDescriptor()) {
    if (LControlFactory* factory = GetApplicationControlFactory())
      mThumb = factory->CreateControl(descriptor, RCPtr<LControl>(this));
    if (mThumb) {
      mThumb->SetVisible(true);
      BindThumb();
    }
  }
  OnLayoutChanged();
  SetRange(0.0, 127.0, kLinear);
  // A press on the track is a drag at once: that starts the page repeat.
  SetDragThreshold(0);
  return S_OK;
}

RCPtr<LControlDescriptor> LSlider::MakeThumbDescriptor() const {
  if (!mThumbStart || !mThumbStart->GetDescriptor()) return nullptr;
  LControlFactory* factory = GetApplicationControlFactory();
  if (!factory) return nullptr;
  const RCPtr<LLayoutDescriptor> layout = DynamicCast<LLayoutDescriptor>(mThumbStart->GetLayout()->CreateCopy());
  for (int axis = 0; axis < 2; ++axis) {
    layout->docked[axis] = false;
    layout->position[axis].placementAnchor = 0;
    layout->position[axis].relative = 0;
  }
  layout->tabStop = 0;
  return factory->CloneControlDescriptor(*mThumbStart->GetDescriptor(), StringW(u"thumb"), layout);
}

void LSlider::BindThumb() {
  const RCPtr<LNotificationDistributor> thumb(mThumb);
  mHandler->SetNotification(&LSlider::OnThumbMove, thumb, kNidMouseMove);
  mHandler->SetNotification(&LSlider::OnThumbLeftDrag, thumb, kNidLeftDragConditionChange);
  // The thumb looks pressed for the whole drag, wherever the pointer goes.
  if (LButton* button = dynamic_cast<LButton*>(mThumb.Get())) button->SetPressedWhileDraggedOutside(true);
}

HResult LSlider::AddChildControl(const RCPtr<LControl>& child, const RCPtr<LControlDescriptor>& descriptor) {
  if (!child || descriptor) return LPanel::AddChildControl(child, descriptor);
  if (child->GetName() != StringW(u"thumb")) return E_FAIL;
  const HResult added = LPanel::AddChildControl(child, MakeThumbDescriptor());
  child->SetVisible(true);
  return added;
}

HResult LSlider::OnCreated() {
  if (mThumbEnd) mThumbEnd->SetVisible(false);
  if (mThumbStart) {
    mThumbStart->SetVisible(false);
    // The point of the thumb that a track click aims at: its centre, or
    // the point its placement anchors name.
    const Rect& marker = mThumbStart->GetRect();
    const LLayoutDescriptor& layout = *mThumbStart->GetLayout();
    const double anchorX = layout.position[0].placementAnchor != 0 ? layout.position[0].placementAnchor : 0.5;
    const double anchorY = layout.position[1].placementAnchor != 0 ? layout.position[1].placementAnchor : 0.5;
    mAnchorX = RoundToInt32(marker.width * anchorX);
    mAnchorY = RoundToInt32(marker.height * anchorY);
  }
  OnLayoutChanged();
  return S_OK;
}

HResult LSlider::Detach() {
  StopAutoRepeat();
  return LPanel::Detach();
}

void LSlider::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                  const RCPtr<LNotification>& notification) {
  if (DispatchToOwnHandler(*this, mHandler, source, notification)) return;
  LPanel::ReceiveNotification(source, notification);
}

// --- Value and thumb ---

double LSlider::SetNormalizedValue(double value) {
  if (mDragging) {
    // The user holds the thumb: an outside value waits for the release.
    mPendingPosition = value;
    return GetSliderPosition();
  }
  SetSliderPosition(value);
  return GetSliderPosition();
}

double LSlider::SetSliderPosition(double position) {
  const RCPtr<LControl> self(this);
  LControl::SetNormalizedValue(position);
  PlaceThumb();
  return GetSliderPosition();
}

void LSlider::UpdateValueFromThumb() {
  if (!mThumb) return;
  const PointT<int32_t> at = RoundedPosition(*mThumb);
  SetSliderPosition(TrackPointToPosition(at.x, at.y));
}

HResult LSlider::UpdateLayout() {
  const HResult result = LPanel::UpdateLayout();
  OnLayoutChanged();
  return result;
}

void LSlider::OnLayoutChanged() {
  if (!mThumb) mThumb = FindChildControl(StringW(u"thumb"));
  if (mThumb) PlaceThumb();
}

void LSlider::PlaceThumb() {
  if (!mThumb || !mThumbStart || !mThumbEnd || mDragging || mPlacingThumb) return;
  const double p = GetSliderPosition();
  const PointT<int32_t> s = RoundedPosition(*mThumbStart);
  const PointT<int32_t> e = RoundedPosition(*mThumbEnd);
  const PointT<int32_t> at{s.x + RoundToInt32((e.x - s.x) * p), s.y + RoundToInt32((e.y - s.y) * p)};
  if (Same(at, RoundedPosition(*mThumb))) return;
  MoveThumbTo(at);
}

void LSlider::MoveThumbTo(const PointT<int32_t>& at) {
  const RCPtr<LControl> thumb = mThumb;
  // Moving the thumb lays the slider out again, which would place it anew.
  mPlacingThumb = true;
  std::array<LLayoutPosition, 2> positions = thumb->GetLayout()->position;
  positions[0].absolute = at.x;
  positions[1].absolute = at.y;
  thumb->SetLayout(positions, thumb->GetLayout()->size, thumb->GetLayout()->docked);
  mPlacingThumb = false;
}

double LSlider::TrackPointToPosition(double x, double y) const {
  if (!mThumbStart || !mThumbEnd) return 0;
  const Rect& s = mThumbStart->GetRect();
  const Rect& e = mThumbEnd->GetRect();
  const double length = std::hypot(e.x - s.x, e.y - s.y);
  // Markers in one place make no track: every point is its start.
  if (length == 0) return 0;
  return std::hypot(x - s.x, y - s.y) / length;
}

PointT<int32_t> LSlider::ProjectPointToTrack(int32_t x, int32_t y) const {
  if (!mThumbStart || !mThumbEnd || !mThumb) return {x, y};
  const PointT<int32_t> s = RoundedPosition(*mThumbStart);
  const PointT<int32_t> e = RoundedPosition(*mThumbEnd);
  const int32_t px = x - mGrabOffsetX;
  const int32_t py = y - mGrabOffsetY;
  PointT<int32_t> result;
  // The straight cases first: the slope below needs both differences.
  if (e.x == s.x) {
    result = {static_cast<int32_t>(mThumb->GetRect().x), py};
  } else if (e.y == s.y) {
    result = {px, static_cast<int32_t>(mThumb->GetRect().y)};
  } else {
    // The foot of the perpendicular from the pointer to the track's line,
    // in single precision.
    const float k = static_cast<float>(e.y - s.y) / static_cast<float>(e.x - s.x);
    const float c = static_cast<float>(s.y) - static_cast<float>(s.x) * k;
    const float rx = (static_cast<float>(py) + static_cast<float>(px) / k - c) / (k + 1.0f / k);
    result.x = RoundToInt32(rx);
    result.y = RoundToInt32(static_cast<float>(result.x) * k + c);
  }
  result.x = std::clamp(result.x, std::min(s.x, e.x), std::max(s.x, e.x));
  result.y = std::clamp(result.y, std::min(s.y, e.y), std::max(s.y, e.y));
  return result;
}

void LSlider::StepTowardPoint(int32_t x, int32_t y) {
  if (!mThumbStart || !mThumb) return;
  const int32_t qx = x - mAnchorX;
  const int32_t qy = y - mAnchorY;
  const double target = TrackPointToPosition(qx, qy);
  const PointT<int32_t> s = RoundedPosition(*mThumbStart);
  const PointT<int32_t> t = RoundedPosition(*mThumb);
  const double toClick = std::hypot(double(qx) - s.x, double(qy) - s.y);
  const double toThumb = std::hypot(double(t.x) - s.x, double(t.y) - s.y);
  const double now = GetSliderPosition();
  // A step never goes past the pointer.
  SetSliderPosition(toClick < toThumb ? std::max(target, now - mPageStep) : std::min(target, now + mPageStep));
}

LControl::Point LSlider::LocalToContent(double x, double y) const {
  const Rect client = GetClientOffsets(-1);
  return {x - client.x + GetScrollOffset().x, y - client.y + GetScrollOffset().y};
}

// --- Dragging the thumb ---

HResult LSlider::OnThumbLeftDrag(const RCPtr<LNotificationDistributor>& /*source*/,
                                 const RCPtr<LNotification>& notification) {
  const RCPtr<LConditionsParam> conditions =
      notification ? DynamicCast<LConditionsParam>(notification->GetPayload()) : nullptr;
  if (!conditions) return 0;
  const RCPtr<LControl> self(this);
  const bool started = (conditions->current & kLeftDrag) && !(conditions->previous & kLeftDrag);
  const bool ended = !(conditions->current & kLeftDrag) && (conditions->previous & kLeftDrag);
  if (started) {
    mDragging = true;
    // The conditions carry the pointer in the thumb's own coordinates:
    // that is where the thumb is held.
    mGrabOffsetX = RoundToInt32(conditions->x);
    mGrabOffsetY = RoundToInt32(conditions->y);
    mPendingPosition = -1.0;
    SendValueCapture(*this, true);
  } else if (ended) {
    mDragging = false;
    if (mPendingPosition >= 0 && mPendingPosition <= 1) SetSliderPosition(mPendingPosition);
    mPendingPosition = -1.0;
    SendValueCapture(*this, false);
  }
  return 0;
}

HResult LSlider::OnThumbMove(const RCPtr<LNotificationDistributor>& /*source*/,
                             const RCPtr<LNotification>& notification) {
  const RCPtr<LPointWithModifiersParam> point =
      notification ? DynamicCast<LPointWithModifiersParam>(notification->GetPayload()) : nullptr;
  if (!mDragging || !point || !mThumb) return 0;
  const RCPtr<LControl> self(this);
  // From the thumb's coordinates into those the markers are placed in.
  const Rect& thumb = mThumb->GetRect();
  const PointT<int32_t> pointer = PointT<double>{point->x + thumb.x, point->y + thumb.y}.RoundToLong();
  const PointT<int32_t> at = ProjectPointToTrack(pointer.x, pointer.y);
  if (Same(at, RoundedPosition(*mThumb))) return 0;
  MoveThumbTo(at);
  UpdateValueFromThumb();
  return 0;
}

// --- Paging on the track ---

void LSlider::OnActivate(const RCPtr<LMouseButtonParam>& param) {
  if (!param) return;
  const Point at = LocalToContent(param->x, param->y);
  StepTowardPoint(RoundToInt32(at.x), RoundToInt32(at.y));
}

void LSlider::OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) {
  LPanel::OnConditionsChanged(conditions);
  if (!conditions) return;
  const uint32_t previous = conditions->previous;
  const uint32_t current = conditions->current;
  if ((previous ^ current) & kLeftDrag) {
    if ((current & kLeftDrag) && IsEnabled(true) && !mAutoRepeatActive) {
      mAutoRepeatActive = true;
      StartIdleNotifications();
      mLastRepeatTime = Now();
      mRepeatDelay = kRepeatDelay;
    } else if (!(current & kLeftDrag)) {
      StopAutoRepeat();
    }
    return;
  }
  UpdateLook(previous, current);
}

void LSlider::StopAutoRepeat() {
  if (!mAutoRepeatActive) return;
  mAutoRepeatActive = false;
  StopIdleNotifications();
}

void LSlider::OnIdleTick() {
  LPanel::OnIdleTick();
  if (!mAutoRepeatActive || !(GetConditions() & kHover) || !IsEnabled(true)) return;
  const double now = Now();
  mRepeatDelay -= now - mLastRepeatTime;
  mLastRepeatTime = now;
  if (mRepeatDelay > kTimeTolerance) return;
  mRepeatDelay = kRepeatInterval;
  LRootWindow* root = GetRootWindow();
  if (!root) return;
  const LRootWindow::Point mouse = root->GetMousePosition();
  const Point origin = GetOriginInRoot();
  const Point at = LocalToContent(mouse.x - origin.x, mouse.y - origin.y);
  StepTowardPoint(RoundToInt32(at.x), RoundToInt32(at.y));
}

// --- Keys, wheel and looks ---

HResult LSlider::OnChildKey(const RCPtr<LKeyParam>& key) {
  if (mArrowKeys.Handle(*this, key) == S_OK) return S_OK;
  return LPanel::OnChildKey(key);
}

HResult LSlider::OnMouseWheelUpDown(const RCPtr<LMouseWheelParam>& param) { return StepValueByWheel(*this, param); }

HResult LSlider::OnMouseWheelOther(const RCPtr<LMouseWheelParam>& param) { return StepValueByWheel(*this, param); }

void LSlider::UpdateLook(uint32_t previous, uint32_t current) {
  const uint32_t changed = previous ^ current;
  if ((changed & kContainsFocus) && !(current & kContainsFocus)) {
    mArrowKeys.ReleaseOnFocusLoss(*this);
    SelectLook(IsEnabled(true) ? kLookNormal : kLookDisabled);
  } else if (changed & kContainsFocus) {
    SelectLook(kLookFocused);
  } else if (changed & kEnabled) {
    if (current & kEnabled)
      SelectLook(current & kContainsFocus ? kLookFocused : kLookNormal);
    else
      SelectLook(kLookDisabled);
  }
}

}  // namespace HV
