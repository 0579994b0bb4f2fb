#include "HVFramework/ControlBase/Views/LScrollView.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Control/LValueParam.h"
#include "HVFramework/ControlBase/Views/ViewsNotificationNames.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/ObjectBase/ValueScope.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace HV {
namespace {

constexpr double kUnbounded = 4503599627370496.0;  // 2^52
constexpr double kExtentTolerance = 2.220446049250313e-15;
// Mouse-event modifiers: Alt turns the vertical wheel to the horizontal bar,
// Shift steps by pages.
constexpr uint32_t kShiftModifier = 0x08;
constexpr uint32_t kAltModifier = 0x40;

double& At(LControl::Point& point, int axis) { return axis == 0 ? point.x : point.y; }
double At(const LControl::Point& point, int axis) { return axis == 0 ? point.x : point.y; }
double SizeOn(const LControl::Rect& rect, int axis) { return axis == 0 ? rect.width : rect.height; }
double ClampUnbounded(double v) { return std::clamp(v, -kUnbounded, kUnbounded); }

}  // namespace

LScrollView::LScrollView(LControl* parent, const StringW& name) : LControl(parent, name) {}

LScrollView::~LScrollView() = default;

RCPtr<LControl>& LScrollView::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                     const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LScrollView>(result, parent, descriptor);
}

// --- Creation ---

HResult LScrollView::CreateFromDescriptor(const RCPtr<LControlDescriptor>& descriptor) {
  if (!mInitialized) return LControl::CreateFromDescriptor(descriptor);
  // A new skin: the children are rebuilt before the extent may follow them.
  const RCPtr<LControl> self(this);
  const int32_t mode = std::exchange(mAutoExtent, kAutoOff);
  const HResult built = LControl::CreateFromDescriptor(descriptor);
  mAutoExtent = mode;
  if (built < 0) return built;
  BindBars();
  UpdateAutoClientExtent();
  UpdateScrollBars();
  return built;
}

HResult LScrollView::Initialize() {
  const HResult initialized = LControl::Initialize();
  if (initialized < 0) return initialized;
  mScrollHandler = RCPtr<LNotificationHandler<LScrollView>>(new LNotificationHandler<LScrollView>(this));
  BindBars();
  mInitialized = true;
  return initialized;
}

HResult LScrollView::ApplyCreateParams() {
  const HResult applied = LControl::ApplyCreateParams();
  if (applied < 0) return applied;
  StringW text;
  int32_t mode = kAutoOff;
  if (GetCreateParam(u"AUTO_CLIENT_EXTENT_X", text) && IsTrueText(text)) mode |= kAutoWidth;
  if (GetCreateParam(u"AUTO_CLIENT_EXTENT_Y", text) && IsTrueText(text)) mode |= kAutoHeight;
  SetAutoClientExtent(mode, 0, 0);
  return applied;
}

void LScrollView::BindBars() {
  mCorner = FindChildControl(StringW(u"corner"));
  mCornerSize = {};
  if (mCorner) {
    // The corner's size from the skin: the corner itself is sized to 0
    // across a hidden bar.
    const RCPtr<LControlDescriptor>& descriptor = mCorner->GetDescriptor();
    const LLayoutDescriptor& layout =
        descriptor && descriptor->GetLayout() ? *descriptor->GetLayout() : *mCorner->GetLayout();
    mCornerSize = {layout.size[0].absolute, layout.size[1].absolute};
  }
  const std::pair<Bar*, const char16_t*> bars[] = {{&mHorizontal, u"hBar"}, {&mVertical, u"vBar"}};
  for (const auto& [bar, name] : bars) {
    RCPtr<LControl> found = FindChildControl(StringW(name));
    IScrollBar* steps = dynamic_cast<IScrollBar*>(found.Get());
    if (!steps) found = nullptr;
    if (found == bar->control) continue;
    if (bar->control) {
      mScrollHandler->RemoveHandler(RCPtr<LNotificationDistributor>(bar->control), kNidValueChange);
      LNotificationClient::UnregisterNotification(RCPtr<LNotificationDistributor>(bar->control),
                                                  kNidValueChange);
    }
    bar->control = found;
    bar->steps = steps;
    if (found)
      mScrollHandler->SetNotification(&LScrollView::OnBarValueChange, RCPtr<LNotificationDistributor>(found),
                                      kNidValueChange);
  }
  if (mHorizontal.control && mCornerSize.y == 0) mCornerSize.y = mHorizontal.control->GetRect().height;
  if (mVertical.control && mCornerSize.x == 0) mCornerSize.x = mVertical.control->GetRect().width;
  UpdateScrollBars();
}

// --- The content ---

HResult LScrollView::SetClientExtent(double width, double height) {
  if (std::fabs(width - mClientExtent.x) < kExtentTolerance &&
      std::fabs(height - mClientExtent.y) < kExtentTolerance)
    return S_FALSE;
  const RCPtr<LControl> self(this);
  mClientExtent = {width, height};
  UpdateScrollBars();
  SendNotification(LNotification::Create(kNidClientExtentChange));
  return S_OK;
}

HResult LScrollView::SetAutoClientExtent(int32_t mode, int32_t marginX, int32_t marginY) {
  mAutoExtent = mode;
  mAutoMargins = {marginX, marginY};
  UpdateAutoClientExtent();
  return S_OK;
}

void LScrollView::SetScrollByItems(int32_t axis, bool byItems, int32_t itemSize) {
  if (axis != 0 && axis != 1) return;
  mScrollByItems[axis] = byItems;
  mItemSize[axis] = itemSize;
  UpdateScrollBars();
}

LControl::Point LScrollView::GetChildrenBounds() {
  Point bounds;
  LControlChildList& children = GetChildren();
  for (uint32_t i = 0; i < children.GetCount(); ++i) {
    const LControl& child = *children.GetAt(i);
    const Rect& rect = child.GetRect();
    for (int axis = 0; axis < 2; ++axis) {
      if (child.ReadLayout().docked[axis]) continue;
      const double farEdge = RoundHalfAway((axis == 0 ? rect.x : rect.y) + SizeOn(rect, axis));
      At(bounds, axis) = std::max(At(bounds, axis), farEdge);
    }
  }
  return bounds;
}

HResult LScrollView::UpdateAutoClientExtent() {
  if (mAutoExtent == kAutoOff) return S_FALSE;
  const Point bounds = GetChildrenBounds();
  const double width = ClampUnbounded(bounds.x + mAutoMargins[0]);
  const double height = ClampUnbounded(bounds.y + mAutoMargins[1]);
  switch (mAutoExtent) {
    case kAutoWidth:
      return SetClientExtent(width, mClientExtent.y);
    case kAutoHeight:
      return SetClientExtent(mClientExtent.x, height);
    case kAutoBoth:
      return SetClientExtent(width, height);
    default:
      return S_FALSE;
  }
}

// --- Layout ---

HResult LScrollView::UpdateLayout() {
  const RCPtr<LControl> self(this);
  HResult result;
  {
    const FlagScope inLayout(mInLayout);
    result = LControl::UpdateLayout();
  }
  UpdateAutoClientExtent();
  UpdateScrollBars();
  return result;
}

HResult LScrollView::OnChildRectChanged(LControl* child) {
  if (child && !mUpdating && !mInScrollOffsetChange && !mInLayout) {
    const std::array<bool, 2>& docked = child->ReadLayout().docked;
    if (!docked[0] || !docked[1]) UpdateAutoClientExtent();
  }
  return LControl::OnChildRectChanged(child);
}

void LScrollView::OnChildRemoved(LControl* child, int32_t index) {
  LControl::OnChildRemoved(child, index);
  for (Bar* bar : {&mHorizontal, &mVertical}) {
    if (bar->control.Get() != child) continue;
    bar->control = nullptr;
    bar->steps = nullptr;
  }
  if (mCorner.Get() == child) mCorner = nullptr;
  if (GetRootWindow()) UpdateAutoClientExtent();
}

LControl::Point LScrollView::GetMaximumSize() {
  Point maximum;
  const Point bounds = GetChildrenBounds();
  for (int axis = 0; axis < 2; ++axis) {
    const LLayoutSizeLimit& limit = ReadLayout().maximum[axis];
    At(maximum, axis) = limit.hasNamedReference ? At(bounds, axis) : limit.absolute;
  }
  return maximum;
}

// --- Bars ---

LControl::Point LScrollView::GetCornerSize() const {
  if (mCorner) return {mCorner->GetRect().width, mCorner->GetRect().height};
  return {mVertical.control ? mVertical.control->GetRect().width : 0,
          mHorizontal.control ? mHorizontal.control->GetRect().height : 0};
}

bool LScrollView::IsBarShown(int32_t axis) const {
  const Bar& bar = axis == 1 ? mVertical : mHorizontal;
  if (!bar.control) return false;
  const LControl& holder = mCorner ? *mCorner : *bar.control;
  return (axis == 1 ? holder.GetRect().width : holder.GetRect().height) > 0;
}

LControl::Rect LScrollView::GetViewportRect() const {
  const Rect client = GetClientOffsets(-1);
  const Point room = GetCornerSize();
  Rect viewport{ClampUnbounded(client.x), ClampUnbounded(client.y), ClampUnbounded(client.width),
                ClampUnbounded(client.height)};
  if (IsBarShown(1)) viewport.width = std::max(0.0, viewport.width - room.x);
  if (IsBarShown(0)) viewport.height = std::max(0.0, viewport.height - room.y);
  return viewport;
}

LControl::Rect LScrollView::GetVisibleArea() const {
  const Rect viewport = GetViewportRect();
  const Point& offset = GetScrollOffset();
  return Rect{offset.x, offset.y, std::max(1.0, viewport.width), std::max(1.0, viewport.height)};
}

void LScrollView::UpdateScrollBars() { LayOutBars(); }

void LScrollView::LayOutBars() {
  if (mUpdating) return;
  const RCPtr<LControl> self(this);
  const FlagScope updating(mUpdating);
  const bool hadVertical = IsBarShown(1);
  const bool hadHorizontal = IsBarShown(0);
  const Rect before = GetViewportRect();
  // The visible size with no bar at all.
  const Rect client = GetClientOffsets(-1);
  const double width = ClampUnbounded(client.width);
  const double height = ClampUnbounded(client.height);
  // A changed extent would lay the bars out again: the guard lets this pass
  // go on with it instead.
  UpdateAutoClientExtent();
  bool vertical = mClientExtent.y > height;
  const bool horizontal = mClientExtent.x > width - (vertical ? mCornerSize.x : 0);
  if (horizontal && !vertical) vertical = mClientExtent.y > height - mCornerSize.y;
  ShowBar(1, vertical && mVertical.control);
  ShowBar(0, horizontal && mHorizontal.control);
  UpdateBar(0);
  UpdateBar(1);
  if (IsBarShown(1) != hadVertical) OnBarShownOrHidden(1);
  if (IsBarShown(0) != hadHorizontal) OnBarShownOrHidden(0);
  const Rect after = GetViewportRect();
  if (after.x != before.x || after.y != before.y || after.width != before.width || after.height != before.height)
    OnClientAreaChanged();
}

// A bar takes room through the corner's size across it (the bar's own size
// without a corner); the skin lays the bars out against that.
void LScrollView::ShowBar(int32_t barAxis, bool show) {
  const Bar& bar = barAxis == 1 ? mVertical : mHorizontal;
  LControl* holder = mCorner ? mCorner.Get() : bar.control.Get();
  if (!holder) return;
  const int32_t across = barAxis == 1 ? 0 : 1;
  const double wanted = show ? At(mCornerSize, across) : 0;
  const LLayoutDescriptor& layout = *holder->GetLayout();
  const LLayoutSize& size = layout.size[across];
  if (size.referenceMode == 2 && size.absolute == wanted) return;
  const RCPtr<LControl> keep(holder);
  holder->SetAxisLayout(across, layout.position[across], LLayoutSize{2, {}, 0, wanted}, layout.docked[across]);
}

void LScrollView::UpdateBar(int32_t axis) {
  const Bar& bar = BarAlong(axis);
  if (!bar.control || !bar.control->GetParent() || !bar.steps) return;
  const RCPtr<LControl> control = bar.control;
  const double visible = SizeOn(GetViewportRect(), axis);
  const double extent = At(mClientExtent, axis);
  if (mScrollByItems[axis]) {
    const int32_t itemSize = mItemSize[axis];
    const double total = itemSize > 0 ? std::trunc(extent / itemSize) : 0;
    const double shown = itemSize > 0 ? std::trunc(visible / itemSize) : 0;
    double line = 1, page = std::min(shown, 1.0), thumb = 1, end = 0;
    if (shown < total) {
      line = 1 / (total - shown);
      page = std::min(shown * line, 1.0);
      thumb = shown / total;
      end = total - shown;
    }
    {
      const FlagScope ignore(mIgnoreBars);
      control->SetRange(0, end, kLinear);
      bar.steps->SetLineStep(line);
      bar.steps->SetPageStep(page);
      bar.steps->SetThumbProportion(thumb);
    }
    control->SetValue(std::min(control->GetValue(), end));
    return;
  }
  double thumb = 1, page = 1;
  if (visible < extent) {
    thumb = visible / extent;
    page = std::clamp(visible / (extent - visible), 0.0, 1.0);
  }
  const double range = std::max(0.0, extent - visible);
  {
    const FlagScope ignore(mIgnoreBars);
    control->SetRange(0, range, kLinear);
    bar.steps->SetPageStep(page);
    bar.steps->SetLineStep(page / 10);
    bar.steps->SetThumbProportion(thumb);
  }
  const double offset = std::max(0.0, RoundHalfAway(control->GetNormalizedValue() * range));
  if (offset == At(GetScrollOffset(), axis)) return;
  Point moved = GetScrollOffset();
  At(moved, axis) = offset;
  SetScrollOffset(moved);
}

HResult LScrollView::OnBarValueChange(const RCPtr<LNotificationDistributor>& source,
                                      const RCPtr<LNotification>& /*notification*/) {
  if (mIgnoreBars) return 1;
  int32_t axis = -1;
  if (mHorizontal.control && source.Get() == static_cast<LNotificationDistributor*>(mHorizontal.control.Get()))
    axis = 0;
  else if (mVertical.control && source.Get() == static_cast<LNotificationDistributor*>(mVertical.control.Get()))
    axis = 1;
  if (axis < 0) return 0;
  const double value = BarAlong(axis).control->GetValue();
  Point offset = GetScrollOffset();
  At(offset, axis) = mScrollByItems[axis] ? std::trunc(value) * mItemSize[axis] : RoundHalfAway(value);
  SetScrollOffset(offset);
  return 1;
}

// --- Scrolling ---

HResult LScrollView::ScrollTo(const Point& offset) {
  const RCPtr<LControl> self(this);
  {
    const FlagScope ignore(mIgnoreBars);
    const Rect viewport = GetViewportRect();
    for (int axis = 0; axis < 2; ++axis) {
      const Bar& bar = BarAlong(axis);
      if (!bar.control) continue;
      const double scrollable = At(mClientExtent, axis) - SizeOn(viewport, axis);
      bar.control->SetNormalizedValue(scrollable > 0 ? At(offset, axis) / scrollable : 0);
    }
  }
  return SetScrollOffset(offset);
}

HResult LScrollView::SetScrollOffset(const Point& offset) {
  const FlagScope changing(mInScrollOffsetChange);
  return LControl::SetScrollOffset(offset);
}

LControl::Rect LScrollView::GetScrollRange() const {
  const Rect viewport = GetViewportRect();
  Rect range{0, 0, kUnbounded, kUnbounded};
  if (mClientExtent.x > 0) range.width = std::max(0.0, mClientExtent.x - viewport.width);
  if (mClientExtent.y > 0) range.height = std::max(0.0, mClientExtent.y - viewport.height);
  return range;
}

// --- Input ---

void LScrollView::OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) {
  LControl::OnConditionsChanged(conditions);
  if (!mDragScrolling || !conditions) return;
  const bool dragStarts = (conditions->current & kLeftDrag) && !(conditions->previous & kLeftDrag);
  if (dragStarts) SetDragMode(6, 3);
}

bool LScrollView::IsBarUsable(const Bar& bar) const {
  return bar.control && bar.steps && bar.control->IsVisible(false);
}

HResult LScrollView::StepBar(const Bar& bar, uint32_t modifiers, bool negate) {
  double step = (modifiers & kShiftModifier) ? bar.steps->GetPageStep() : bar.steps->GetLineStep();
  if (negate) step = -step;
  const RCPtr<LControl> control = bar.control;
  control->SetNormalizedValue(control->GetNormalizedValue() + step);
  return S_OK;
}

HResult LScrollView::OnMouseWheelUpDown(const RCPtr<LMouseWheelParam>& param) {
  if (!param) return S_FALSE;
  const bool horizontal = IsBarUsable(mHorizontal);
  const bool vertical = IsBarUsable(mVertical);
  if (!horizontal && !vertical) return S_FALSE;
  const bool useHorizontal = horizontal && vertical ? (param->modifiers & kAltModifier) != 0 : horizontal;
  return StepBar(useHorizontal ? mHorizontal : mVertical, param->modifiers, param->direction == 1);
}

HResult LScrollView::OnMouseWheelOther(const RCPtr<LMouseWheelParam>& param) {
  if (!param) return S_FALSE;
  const bool horizontal = IsBarUsable(mHorizontal);
  if (!horizontal && !IsBarUsable(mVertical)) return S_FALSE;
  return StepBar(horizontal ? mHorizontal : mVertical, param->modifiers, param->direction != 2);
}

// --- Notifications ---

void LScrollView::ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                                      const RCPtr<LNotification>& notification) {
  if (IsCreated() && mScrollHandler) {
    const RCPtr<LNotificationHandler<LScrollView>> handler = mScrollHandler;
    if (handler->Dispatch(source, notification) != 0) return;
  }
  LControl::ReceiveNotification(source, notification);
}

}  // namespace HV
