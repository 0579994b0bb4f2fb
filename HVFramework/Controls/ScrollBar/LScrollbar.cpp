#include "HVFramework/Controls/ScrollBar/LScrollbar.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Platform/Core/Clock.h"
#include "HVFramework/Renderer/LRectRegion.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <algorithm>
#include <cmath>

namespace HV {
namespace {

double Now() { return Platform::GetSecondsSinceStart(); }

double At(const LControl::Point& point, int axis) { return axis == 0 ? point.x : point.y; }
double NearOf(const LControl::Rect& rect, int axis) { return axis == 0 ? rect.x : rect.y; }
double SizeOf(const LControl::Rect& rect, int axis) { return axis == 0 ? rect.width : rect.height; }

// The keys of the bar's siblings: the key-down code, the flag that must be
// set, the axis the key belongs to (-1 either) and what it does.
enum class KeyMove { kLineBack, kLineOn, kPageBack, kPageOn, kStart, kEnd };
struct KeyRow {
  uint32_t code;
  uint32_t flag;
  int32_t axis;
  KeyMove move;
};
constexpr KeyRow kKeyRows[] = {
    {0x20260000, LScrollbar::kKeyUp, 1, KeyMove::kLineBack},
    {0x20280000, LScrollbar::kKeyDown, 1, KeyMove::kLineOn},
    {0x20250000, LScrollbar::kKeyLeft, 0, KeyMove::kLineBack},
    {0x20270000, LScrollbar::kKeyRight, 0, KeyMove::kLineOn},
    {0x20210000, LScrollbar::kKeyPageUp, 1, KeyMove::kPageBack},
    {0x20220000, LScrollbar::kKeyPageDown, 1, KeyMove::kPageOn},
    {0x20240000, LScrollbar::kKeyHome, -1, KeyMove::kStart},
    {0x20230000, LScrollbar::kKeyEnd, -1, KeyMove::kEnd},
};

RCPtr<LConditionsParam> ConditionsOf(const RCPtr<LNotification>& notification) {
  return notification ? DynamicCast<LConditionsParam>(notification->GetPayload()) : nullptr;
}

}  // namespace

LScrollbar::LScrollbar(LControl* parent, const StringW& name) : LControl(parent, name) {
  LControl::SetRange(0, 100, kLinear);
}

LScrollbar::~LScrollbar() = default;

RCPtr<LControl>& LScrollbar::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                    const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LScrollbar>(result, parent, descriptor);
}

HResult LScrollbar::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LScrollbar::Create);
}

// --- Creation ---

HResult LScrollbar::Initialize() {
  if (LControl::Initialize() < 0) return E_FAIL;
  mBarHandler = RCPtr<LNotificationHandler<LScrollbar>>(new LNotificationHandler<LScrollbar>(this));
  if (const RCPtr<LControl> channel = FindChannel()) {
    const RCPtr<LNotificationDistributor> source(channel);
    mBarHandler->SetNotification(&LScrollbar::OnChannelLeftDrag, source, kNidLeftDragConditionChange);
    mBarHandler->SetNotification(&LScrollbar::OnChannelHover, source, kNidHoverConditionChange);
    mThumb = channel->FindChildControl(StringW(u"thumb"));
    if (mThumb) {
      const RCPtr<LNotificationDistributor> thumb(mThumb);
      mBarHandler->SetNotification(&LScrollbar::OnThumbMove, thumb, kNidMouseMove);
      mBarHandler->SetNotification(&LScrollbar::OnThumbLeftDrag, thumb, kNidLeftDragConditionChange);
      if (LButton* button = dynamic_cast<LButton*>(mThumb.Get())) button->SetPressedWhileDraggedOutside(true);
    }
  }
  const RCPtr<LControl> dec = FindChildControl(StringW(u"dec"));
  const RCPtr<LControl> inc = FindChildControl(StringW(u"inc"));
  for (const RCPtr<LControl>& step : {dec, inc}) {
    if (!step) continue;
    mBarHandler->SetNotification(&LScrollbar::OnButtonRepeat, RCPtr<LNotificationDistributor>(step),
                                 kNidButtonAutorepeat);
    if (LButton* button = dynamic_cast<LButton*>(step.Get())) {
      button->SetAutoRepeat(true);
      button->StopRepeating();
    }
  }
  // The axis is the one along which "inc" lies further from "dec".
  if (dec && inc) {
    const double across = inc->GetRect().x - dec->GetRect().x;
    const double down = inc->GetRect().y - dec->GetRect().y;
    mVertical = across > down ? 0 : 1;
  }
  MeasureChannel();
  SetKeyFlags(0xFF);
  return S_OK;
}

HResult LScrollbar::OnCreated() {
  SetNotFocusable(true);
  const RCPtr<LControl> channel = FindChannel();
  for (const RCPtr<LControl>& part :
       {FindChildControl(StringW(u"dec")), FindChildControl(StringW(u"inc")), channel, mThumb})
    if (part) part->SetNotFocusable(true);
  if (mThumb) mMinThumbLength = SizeOf(mThumb->GetRect(), 1 - Axis());
  MeasureChannel();
  return S_OK;
}

HResult LScrollbar::SetKeyFlags(uint32_t mask) {
  mKeyFlags = mask & 0xFF;
  if (mKeyFlags != 0 && !mListensForKeys && mBarHandler) {
    mListensForKeys = true;
    if (LControl* parent = GetParent())
      mBarHandler->SetNotification(&LScrollbar::OnSiblingKey, RCPtr<LNotificationDistributor>(parent),
                                   kNidSiblingKey);
    mBarHandler->SetNotification(&LScrollbar::OnSiblingKey, RCPtr<LNotificationDistributor>(this),
                                 kNidSiblingKey);
  }
  return mask > 0xFF ? E_INVALIDARG : S_OK;
}

HResult LScrollbar::Detach() {
  EndPaging();
  if (LControl* parent = GetParent(); parent && mBarHandler && mListensForKeys) {
    const RCPtr<LNotificationDistributor> source(parent);
    if (mBarHandler->RemoveHandler(source, kNidSiblingKey))
      LNotificationClient::UnregisterNotification(source, kNidSiblingKey);
  }
  return LControl::Detach();
}

void LScrollbar::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                     const RCPtr<LNotification>& notification) {
  if (IsCreated() && mBarHandler) {
    const RCPtr<LNotificationHandler<LScrollbar>> handler = mBarHandler;
    if (handler->Dispatch(source, notification) != 0) return;
  }
  LControl::ReceiveNotification(source, notification);
}

// --- Value and range ---

double LScrollbar::SetNormalizedValue(double value) {
  if (mDragging) {
    mPendingValue = value;
    return GetNormalizedValue();
  }
  const double held = LControl::SetNormalizedValue(std::clamp(value, 0.0, 1.0));
  PlaceThumb();
  return held;
}

HResult LScrollbar::SetRange(double start, double end, int32_t scaleType) {
  const double value = GetValue();
  const HResult result = LControl::SetRange(start, end, scaleType);
  SetNormalizedValue(ValueToNormalized(value));
  PlaceThumb();
  return result;
}

// --- Geometry of the thumb ---

HResult LScrollbar::UpdateLayout() {
  const HResult result = LControl::UpdateLayout();
  MeasureChannel();
  return result;
}

void LScrollbar::MeasureChannel() {
  const RCPtr<LControl> channel = FindChannel();
  if (!mThumb || !channel) return;
  const int axis = Axis();
  const Rect client = channel->GetClientOffsets(-1);
  mChannelOffset = NearOf(channel->GetRect(), axis) + NearOf(client, axis);
  mChannelStart = 0;
  // The thumb is placed in the channel's client coordinates: its travel is
  // the client area's length.
  mChannelEnd = SizeOf(client, axis);
  ResizeThumb();
}

void LScrollbar::SetThumbProportion(double proportion) {
  mThumbProportion = proportion;
  ResizeThumb();
}

void LScrollbar::ResizeThumb() {
  if (!mThumb) return;
  mThumbLength = RoundHalfAway(std::max(mMinThumbLength, (mChannelEnd - mChannelStart) * mThumbProportion));
  const LLayoutSize& size = mThumb->GetLayout()->size[Axis()];
  if (size.referenceMode != 2 || size.absolute != mThumbLength) SetThumbAxis(ThumbStart(), mThumbLength);
  PlaceThumb();
}

double LScrollbar::ThumbStart() const { return mThumb ? NearOf(mThumb->GetRect(), Axis()) : 0; }

void LScrollbar::SetThumbAxis(double position, double length) {
  const int axis = Axis();
  const LLayoutDescriptor& layout = *mThumb->GetLayout();
  LLayoutPosition at = layout.position[axis];
  at.referenceMode = 1;
  at.placementAnchor = 0;
  at.relative = 0;
  at.absolute = position;
  const RCPtr<LControl> thumb = mThumb;
  thumb->SetAxisLayout(axis, at, LLayoutSize{2, {}, 0, length}, layout.docked[axis]);
}

void LScrollbar::PlaceThumb() {
  if (!mThumb || mDragging) return;
  // A thumb longer than the channel stays at its start.
  const double travel = std::max(0.0, mChannelEnd - mChannelStart - mThumbLength);
  const double position = RoundHalfAway(mChannelStart + travel * GetNormalizedValue());
  if (position != ThumbStart()) SetThumbAxis(position, mThumbLength);
}

void LScrollbar::ThumbMovedTo(double position) {
  const double travel = mChannelEnd - mChannelStart - mThumbLength;
  const double value = travel > 0 ? std::clamp((position - mChannelStart) / travel, 0.0, 1.0) : 0.0;
  LControl::SetNormalizedValue(value);
  PlaceThumb();
}

int32_t LScrollbar::ChannelPartAt(const Point& point) const {
  if (!mThumb) return kNoPart;
  const double p = At(point, Axis());
  const double thumbStart = ThumbStart();
  if (p >= mChannelStart && p < thumbStart) return kBeforeThumb;
  if (p >= thumbStart + mThumbLength && p <= mChannelEnd) return kAfterThumb;
  return kNoPart;
}

// --- Thumb drag ---

HResult LScrollbar::OnThumbLeftDrag(const RCPtr<LNotificationDistributor>& /*source*/,
                                    const RCPtr<LNotification>& notification) {
  const RCPtr<LConditionsParam> conditions = ConditionsOf(notification);
  if (!conditions) return 1;
  const bool started = (conditions->current & kLeftDrag) && !(conditions->previous & kLeftDrag);
  const bool ended = !(conditions->current & kLeftDrag) && (conditions->previous & kLeftDrag);
  if (started) {
    mDragging = true;
    // Where in the thumb the drag began, in the thumb's coordinates.
    mGrabOffset[0] = RoundToInt32(conditions->x);
    mGrabOffset[1] = RoundToInt32(conditions->y);
    mPendingValue = -1;
  } else if (ended) {
    const RCPtr<LControl> self(this);
    mDragging = false;
    if (mPendingValue >= 0 && mPendingValue <= 1) LControl::SetNormalizedValue(mPendingValue);
    mPendingValue = -1;
    PlaceThumb();
  }
  return 1;
}

HResult LScrollbar::OnThumbMove(const RCPtr<LNotificationDistributor>& /*source*/,
                                const RCPtr<LNotification>& notification) {
  const RCPtr<LPointWithModifiersParam> point =
      notification ? DynamicCast<LPointWithModifiersParam>(notification->GetPayload()) : nullptr;
  if (!mDragging || !point || !mThumb) return 1;
  const RCPtr<LControl> self(this);
  const int axis = Axis();
  // The pointer from the thumb's coordinates into the bar's.
  const Point thumbOrigin = mThumb->GetOriginInRoot();
  const Point barOrigin = GetOriginInRoot();
  const double inBar = (axis == 0 ? point->x : point->y) + At(thumbOrigin, axis) - At(barOrigin, axis);
  const double barClient = NearOf(GetClientOffsets(-1), axis);
  double position = inBar - RoundHalfAway(mChannelOffset) - barClient - mGrabOffset[axis];
  position = std::clamp(position, mChannelStart, std::max(mChannelStart, mChannelEnd - mThumbLength));
  if (position == ThumbStart()) return 1;
  SetThumbAxis(position, mThumbLength);
  ThumbMovedTo(position);
  return 1;
}

// --- Channel paging ---

bool LScrollbar::GetPointerInChannel(Point& point) const {
  const RCPtr<LControl> channel = FindChannel();
  LRootWindow* root = GetRootWindow();
  if (!channel || !root) return false;
  const LRootWindow::Point mouse = root->GetMousePosition();
  const Point origin = channel->GetOriginInRoot();
  const Rect client = channel->GetClientOffsets(-1);
  point = {mouse.x - origin.x - client.x, mouse.y - origin.y - client.y};
  return true;
}

HResult LScrollbar::OnChannelLeftDrag(const RCPtr<LNotificationDistributor>& /*source*/,
                                      const RCPtr<LNotification>& notification) {
  const RCPtr<LConditionsParam> conditions = ConditionsOf(notification);
  if (!conditions) return 1;
  const RCPtr<LControl> self(this);
  const bool pressed = (conditions->current & kLeftDown) && !(conditions->previous & kLeftDown) &&
                       !(conditions->previous & kLeftDrag);
  if (pressed) {
    const RCPtr<LControl> channel = FindChannel();
    const Rect client = channel ? channel->GetClientOffsets(-1) : Rect{};
    mPressedPart = ChannelPartAt({conditions->x - client.x, conditions->y - client.y});
    StepPage(mPressedPart);
    UpdateChannelLooks();
    mPageLastTime = Now();
    mPageRemaining = kPageRepeatDelay;
    if (mPressedPart != kNoPart && !mPagingIdle) {
      mPagingIdle = true;
      StartIdleNotifications();
    }
  }
  if (!(conditions->current & kCapture)) EndPaging();
  return 1;
}

HResult LScrollbar::OnChannelHover(const RCPtr<LNotificationDistributor>& /*source*/,
                                   const RCPtr<LNotification>& notification) {
  const RCPtr<LConditionsParam> conditions = ConditionsOf(notification);
  if (!conditions) return 1;
  // Time spent outside the channel does not count towards the next page.
  if ((conditions->current & kHover) && !(conditions->previous & kHover)) mPageLastTime = Now();
  if (mPressedPart != kNoPart) UpdateChannelLooks();
  return 1;
}

void LScrollbar::OnIdleTick() {
  LControl::OnIdleTick();
  if (mPressedPart == kNoPart) return;
  const RCPtr<LControl> channel = FindChannel();
  Point pointer;
  if (!channel || !channel->IsMouseOver() || !GetPointerInChannel(pointer)) return;
  // Paging stops once the thumb has passed the pointer.
  if (ChannelPartAt(pointer) != mPressedPart) return;
  const double now = Now();
  mPageRemaining -= now - mPageLastTime;
  mPageLastTime = now;
  if (mPageRemaining > 0) return;
  mPageRemaining = kPageRepeatInterval;
  StepPage(mPressedPart);
  UpdateChannelLooks();
}

void LScrollbar::StepPage(int32_t part) {
  if (part == kBeforeThumb) SetNormalizedValue(GetNormalizedValue() - mPageStep);
  if (part == kAfterThumb) SetNormalizedValue(GetNormalizedValue() + mPageStep);
}

void LScrollbar::EndPaging() {
  if (mPressedPart != kNoPart) {
    mPressedPart = kNoPart;
    UpdateChannelLooks();
  }
  if (mPagingIdle) {
    mPagingIdle = false;
    StopIdleNotifications();
  }
}

void LScrollbar::UpdateChannelLooks() {
  const RCPtr<LControl> channel = FindChannel();
  if (!channel || channel->GetLookCount() < 2) return;
  Point pointer;
  const bool onPressedSide = mPressedPart != kNoPart && channel->IsMouseOver() && GetPointerInChannel(pointer) &&
                             ChannelPartAt(pointer) == mPressedPart;
  if (!onPressedSide) {
    channel->ClearLookRegions();
    channel->SelectLook(0);
    return;
  }
  // Look 1 over the stretch between the pressed end and the thumb.
  const int axis = Axis();
  const Rect client = channel->GetClientOffsets(-1);
  const double from = mPressedPart == kBeforeThumb ? mChannelStart : ThumbStart() + mThumbLength;
  const double to = mPressedPart == kBeforeThumb ? ThumbStart() : mChannelEnd;
  const int32_t nearEdge = RoundToInt32(from + NearOf(client, axis));
  const int32_t farEdge = RoundToInt32(to + NearOf(client, axis));
  const int32_t width = RoundToInt32(channel->GetRect().width);
  const int32_t height = RoundToInt32(channel->GetRect().height);
  LRectRegion region;
  if (axis == 1)
    region.AddRect({0, nearEdge, width, farEdge});
  else
    region.AddRect({nearEdge, 0, farEdge, height});
  channel->SetLookRegion(1, region);
  channel->SetLookRegionExcept(0, 1);
  channel->SetLookWeight(0, 1, false);
  channel->SetLookWeight(1, 1, false);
}

// --- Buttons and keys ---

HResult LScrollbar::OnButtonRepeat(const RCPtr<LNotificationDistributor>& source,
                                   const RCPtr<LNotification>& /*notification*/) {
  const LControl* button = dynamic_cast<LControl*>(source.Get());
  if (!button) return 1;
  const RCPtr<LControl> self(this);
  if (button->GetName() == StringW(u"dec")) SetNormalizedValue(GetNormalizedValue() - mLineStep);
  if (button->GetName() == StringW(u"inc")) SetNormalizedValue(GetNormalizedValue() + mLineStep);
  return 1;
}

HResult LScrollbar::OnSiblingKey(const RCPtr<LNotificationDistributor>& /*source*/,
                                 const RCPtr<LNotification>& notification) {
  const RCPtr<LSiblingKeyParam> key =
      notification ? DynamicCast<LSiblingKeyParam>(notification->GetPayload()) : nullptr;
  if (!key || !key->notHandled || !IsVisible(true)) return 0;
  for (const KeyRow& row : kKeyRows) {
    if (key->GetKey().code != row.code) continue;
    if (!(mKeyFlags & row.flag) || (row.axis >= 0 && row.axis != Axis())) return 0;
    const RCPtr<LControl> self(this);
    const double value = GetNormalizedValue();
    switch (row.move) {
      case KeyMove::kLineBack:
        SetNormalizedValue(value - mLineStep);
        break;
      case KeyMove::kLineOn:
        SetNormalizedValue(value + mLineStep);
        break;
      case KeyMove::kPageBack:
        SetNormalizedValue(value - mPageStep);
        break;
      case KeyMove::kPageOn:
        SetNormalizedValue(value + mPageStep);
        break;
      case KeyMove::kStart:
        SetNormalizedValue(0);
        break;
      case KeyMove::kEnd:
        SetNormalizedValue(1);
        break;
    }
    key->notHandled = false;
    return 1;
  }
  return 0;
}

}  // namespace HV
