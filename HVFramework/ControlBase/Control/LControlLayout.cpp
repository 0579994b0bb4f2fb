// A control's layout: computing its rectangle with the layout solver, storing
// it and passing the change on to children, siblings and parent; scrolling;
// clip-to-parent bookkeeping; and moving the control by dragging.
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/LPointWithModifiersParam.h"
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Control/LFontTextMeasurer.h"
#include "HVFramework/ControlBase/Control/LLayoutSolver.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/ObjectBase/UIThread.h"
#include "HVFramework/ObjectBase/ValueScope.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace HV {
namespace {

// Whole numbers of the window system become doubles within this range.
constexpr double kWindowRange = 4503599627370496.0;  // 2^52
// Size changes below this are rounding noise, not a new size.
constexpr double kSizeTolerance = 2.220446049250313e-15;
constexpr double kNoExtent = 2.220446049250313e-16;

double& At(LControl::Point& point, int axis) { return axis == 0 ? point.x : point.y; }
double At(const LControl::Point& point, int axis) { return axis == 0 ? point.x : point.y; }
double Near(const LControl::Rect& rect, int axis) { return axis == 0 ? rect.x : rect.y; }

RectT<double> ToRectT(const LControl::Rect& rect) { return {rect.x, rect.y, rect.width, rect.height}; }
LControl::Rect FromRectT(const RectT<double>& rect) { return {rect.x, rect.y, rect.width, rect.height}; }

double ClampToWindowRange(double v) { return std::clamp(v, -kWindowRange, kWindowRange); }

bool SameRect(const LControl::Rect& a, const LControl::Rect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}
bool SamePosition(const LLayoutPosition& a, const LLayoutPosition& b) {
  return a.placementAnchor == b.placementAnchor && a.referenceMode == b.referenceMode &&
         a.referenceName == b.referenceName && a.relative == b.relative && a.absolute == b.absolute;
}
bool SameSize(const LLayoutSize& a, const LLayoutSize& b) {
  return a.referenceMode == b.referenceMode && a.referenceName == b.referenceName &&
         a.relative == b.relative && a.absolute == b.absolute;
}
bool SameLimit(const LLayoutSizeLimit& a, const LLayoutSizeLimit& b) {
  return a.hasNamedReference == b.hasNamedReference && a.referenceName == b.referenceName &&
         a.relative == b.relative && a.absolute == b.absolute;
}

LLayoutBox BoxOf(const LControl& control) {
  const LLayoutDescriptor& layout = control.ReadLayout();
  return {ToRectT(control.GetRect()), layout.docked, layout.clipToParent};
}

// What a top-level control learns from its root window.
struct RootWindowAnswers {
  HResult usable = S_OK;       // E_FAIL: nothing to lay the control out in
  RectT<double> area;          // the rectangle the control is laid out in
  PointT<double> clientSize;   // that rectangle's client size
  bool hasRootWindow = false;  // false: GetRootBoundsInLocal uses the control's own size
};

// The one place where a top-level control asks about its root window: its
// own, else (while it is being built) the application's first one. A control
// that was created but has no root window cannot be laid out (E_FAIL). The
// control is placed in the application's work area (the window's screen
// rectangle when no work area is known); the root window's client size
// answers GetRootBoundsInLocal. Without any root window a control being
// built is laid out in the work area alone.
RootWindowAnswers AskRootWindow(const LControl& control) {
  RootWindowAnswers answers;
  LRootWindow* root = control.GetRootWindow();
  if (!root && control.IsCreated()) {
    answers.usable = E_FAIL;
    return answers;
  }
  if (!root) root = GetApplicationRootWindowAt(0);
  RectT<double> area = GetApplicationWorkArea();
  if (root) {
    const RectT<int32_t> screen = root->GetScreenRect();
    if (area.width <= 0 || area.height <= 0) area = {double(screen.x), double(screen.y), double(screen.width), double(screen.height)};
    answers.clientSize = {double(screen.width), double(screen.height)};
    answers.hasRootWindow = true;
  }
  answers.area = {ClampToWindowRange(area.x), ClampToWindowRange(area.y), ClampToWindowRange(area.width),
                  ClampToWindowRange(area.height)};
  if (!root) answers.clientSize = {answers.area.width, answers.area.height};
  return answers;
}

// The parent's children, for names in positions and sizes.
class SiblingsOf : public ILayoutSiblings {
 public:
  explicit SiblingsOf(const LControl& parent) : mParent(parent) {}
  bool FindSibling(const StringW& name, LLayoutBox& box) const override {
    const RCPtr<LControl> sibling = mParent.FindChildControl(name);
    if (!sibling) return false;
    box = BoxOf(*sibling);
    return true;
  }

 private:
  const LControl& mParent;
};

// A control as the minimum and maximum steps read it.
class SubjectOf : public ILayoutSubject {
 public:
  SubjectOf(LControl& control, ILayoutTextMeasurer* text) : mControl(control), mText(text) {}
  const LLayoutDescriptor& GetLayout() const override { return mControl.ReadLayout(); }
  PointT<double> GetScrollOffset() const override {
    return {mControl.GetScrollOffset().x, mControl.GetScrollOffset().y};
  }
  // The look's borders stay as they are at the current size.
  bool GetClientRect(const PointT<double>& size, RectT<double>& client) const override {
    const LControl::Rect offsets = mControl.GetClientOffsets(-1);
    const LControl::Rect& rect = mControl.GetRect();
    client = {offsets.x, offsets.y, size.x - (rect.width - offsets.width),
              size.y - (rect.height - offsets.height)};
    return true;
  }
  uint32_t GetChildCount() const override { return mControl.GetChildren().GetCount(); }
  LLayoutBox GetChild(uint32_t index) const override { return BoxOf(*mControl.GetChildren().GetAt(index)); }
  bool FindChild(const StringW& name, LLayoutBox& box) const override {
    const RCPtr<LControl> child = mControl.FindChildControl(name);
    if (!child) return false;
    box = BoxOf(*child);
    return true;
  }
  ILayoutTextMeasurer* GetText() const override { return mText; }

 private:
  LControl& mControl;
  ILayoutTextMeasurer* mText;
};

LLayoutFrame FrameOf(const LControl& parent) {
  const LControl::Rect client = parent.GetClientOffsets(-1);
  LLayoutFrame frame;
  frame.origin = {-client.x, -client.y};
  frame.extent = {parent.GetRect().width, parent.GetRect().height};
  frame.client = {client.width, client.height};
  frame.scroll = {parent.GetScrollOffset().x, parent.GetScrollOffset().y};
  return frame;
}

// A rectangle the solver gave, enlarged to the control's minimum sizes and
// shrunk to its maximum sizes.
RectT<double> WithinSizeLimits(LControl& control, ILayoutTextMeasurer* text, const RectT<double>& rect) {
  PointT<double> position{rect.x, rect.y};
  PointT<double> size{rect.width, rect.height};
  const SubjectOf subject(control, text);
  LLayoutSolver::ApplyMinimumSize(subject, position, size);
  LLayoutSolver::ApplyMaximumSize(subject, position, size);
  return {position.x, position.y, size.x, size.y};
}

// What a top-level control is laid out in: the work area, with a client area
// of the given size.
LLayoutFrame TopLevelFrame(const RootWindowAnswers& root, const PointT<double>& client) {
  LLayoutFrame frame;
  frame.origin = {root.area.x, root.area.y};
  frame.extent = {root.area.width, root.area.height};
  frame.client = client;
  frame.referencePoint = frame.origin;
  return frame;
}

}  // namespace

// --- Computing and storing the rectangle ---

LControl::Rect LControl::SnapToPixels(const Rect& rect) {
  RectT<double> snapped = ToRectT(rect);
  snapped.SnapToPixels();
  return FromRectT(snapped);
}

HResult LControl::UpdateLayout() {
  HV_ASSERT_UI_THREAD();
  Rect rect;
  const HResult computed = ComputeLayoutRect(rect);
  if (computed < 0) return computed;
  return SetRect(SnapToPixels(FromRectT(WithinSizeLimits(*this, GetLayoutText(), ToRectT(rect)))));
}

HResult LControl::ComputeLayoutRect(Rect& result) const {
  if (!mDescriptor) return E_FAIL;
  RectT<double> rect;
  if (mParent) {
    const SiblingsOf siblings(*mParent);
    LLayoutSolver::ComputeLayoutRect(mLayout.Get(), FrameOf(*mParent), &siblings, rect);
  } else {
    const RootWindowAnswers root = AskRootWindow(*this);
    if (root.usable < 0) return root.usable;
    LLayoutSolver::ComputeLayoutRect(mLayout.Get(), TopLevelFrame(root, root.clientSize), nullptr, rect);
  }
  result = FromRectT(rect);
  return S_OK;
}

LControl::Point LControl::ComputeTopLevelSize(const Point& client) {
  const LLayoutFrame frame =
      TopLevelFrame(AskRootWindow(*this), {ClampToWindowRange(client.x), ClampToWindowRange(client.y)});
  RectT<double> rect;
  if (LLayoutSolver::ComputeLayoutRect(mLayout.Get(), frame, nullptr, rect) < 0) return client;
  const RectT<double> limited = WithinSizeLimits(*this, GetLayoutText(), rect);
  return {limited.width, limited.height};
}

HResult LControl::Relayout(int32_t /*parentWidth*/, int32_t /*parentHeight*/) {
  UpdateLayout();
  return S_OK;
}

int32_t LControl::SetRect(const Rect& rect) {
  HV_ASSERT_UI_THREAD();
  if (SameRect(rect, mRect)) return 1;
  const RCPtr<LControl> self(this);
  const bool sizeChanged = std::fabs(rect.width - mRect.width) >= kSizeTolerance ||
                           std::fabs(rect.height - mRect.height) >= kSizeTolerance;
  InvalidateOwnArea();
  mRect = rect;
  ResizeLooks(rect.width, rect.height);
  if (sizeChanged && !mLayoutSuppressed) {
    RelayoutChildren();
    RequestLayoutPass();
  }
  if (LControl* parent = mParent) {
    LayOutLaterSiblings();
    parent->OnChildRectChanged(this);
  }
  // A top-level control's root window moves its operating-system window to
  // the new rectangle (plus the frame) here, once root windows exist.
  // A control left without area takes no input: the focus it holds or
  // contains goes to its parent, or the keys would be lost.
  if (rect.width <= 0 || rect.height <= 0) UpdateFocusAfterStateChange();
  UpdateConditions();
  InvalidateOwnArea();
  return 0;
}

void LControl::RelayoutChildren() {
  const FlagScope suppressed(mLayoutSuppressed);
  const int32_t width = RoundToInt32(mRect.width);
  const int32_t height = RoundToInt32(mRect.height);
  // The count is read on every step: a child that leaves the list on the
  // way ends the walk early instead of reading past the end.
  for (uint32_t i = 0; i < mChildren.GetCount(); ++i) {
    const RCPtr<LControl> child = mChildren.GetAt(i);
    child->Relayout(width, height);
  }
}

// The siblings attached after this one may depend on it; each is laid out
// again until one changes, which carries the chain on through its own SetRect.
// Walked by index, holding one sibling at a time: a list that changes on the
// way is read afresh rather than copied for every change.
void LControl::LayOutLaterSiblings() {
  const RCPtr<LControl> parent(mParent);
  LControlChildList& siblings = parent->mChildren;
  const int32_t index = siblings.IndexOf(this);
  if (index < 0) return;
  for (uint32_t i = static_cast<uint32_t>(index) + 1; i < siblings.GetCount(); ++i) {
    const RCPtr<LControl> sibling = siblings.GetAt(i);
    if (sibling->UpdateLayout() == 0) break;
  }
}

HResult LControl::OnChildRectChanged(LControl* child) {
  if (!child) return S_OK;
  const RCPtr<LControl> self(this);
  if (!mLayoutSuppressed) UpdateLayout();
  const Rect client = GetClientOffsets(-1);
  const Rect& rect = child->GetRect();
  Invalidate(
      Rect{rect.x - mScrollOffset.x + client.x, rect.y - mScrollOffset.y + client.y, rect.width, rect.height},
      0);
  return S_OK;
}

HResult LControl::OnChildDocked(LControl* /*child*/) {
  if (mLayout->docked[0] || mLayout->docked[1]) RequestLayoutPass();
  return S_OK;
}

ILayoutTextMeasurer* LControl::GetLayoutText() {
  if (mLayout->textOverflowX != 1 && mLayout->textOverflowY == 0) return nullptr;
  const RCPtr<LLook>& look = GetLook(-1);
  if (!look || !look->GetTextPart() || !look->GetDescriptor()) return nullptr;
  const SkinTextProperties& t = look->GetDescriptor()->GetTextProperties();
  const LTextArea area{t.leftRelative,
                       t.topRelative,
                       t.rightRelative,
                       t.bottomRelative,
                       static_cast<double>(t.leftAbsolute),
                       static_cast<double>(t.topAbsolute),
                       static_cast<double>(t.rightAbsolute),
                       static_cast<double>(t.bottomAbsolute)};
  mLayoutText = std::make_unique<LFontTextMeasurer>(*look->GetTextPart(), area);
  return mLayoutText.get();
}

// The control's area, clipped to the parent when the control clips to it,
// and the areas of descendants drawn outside it.
void LControl::InvalidateOwnArea() {
  HV_ASSERT_UI_THREAD();
  if (IsUnseenWhileBuilding()) return;
  Invalidate(Rect{0, 0, mRect.width, mRect.height}, mLayout->clipToParent ? 1u : 0u);
  if (mNonClippingDescendants <= 0) return;
  const Point origin = GetOriginInRoot();
  std::vector<LControl*> pending{this};
  while (!pending.empty()) {
    LControl* control = pending.back();
    pending.pop_back();
    for (uint32_t i = 0; i < control->mChildren.GetCount(); ++i) {
      LControl* child = control->mChildren.GetAt(i).Get();
      if (child->mNonClippingDescendants > 0) pending.push_back(child);
      if (child->mLayout->clipToParent) continue;
      const Point at = child->GetOriginInRoot();
      Invalidate(Rect{at.x - origin.x, at.y - origin.y, child->mRect.width, child->mRect.height}, 0);
    }
  }
}

// --- Changing the layout description ---

bool LControl::SetAxisLayout(int32_t axis, const LLayoutPosition& position, const LLayoutSize& size,
                             bool docked) {
  if (axis != 0 && axis != 1) return false;
  std::array<LLayoutPosition, 2> positions = mLayout->position;
  std::array<LLayoutSize, 2> sizes = mLayout->size;
  std::array<bool, 2> dockedAxes = mLayout->docked;
  positions[axis] = position;
  sizes[axis] = size;
  dockedAxes[axis] = docked;
  return SetLayout(positions, sizes, dockedAxes);
}

bool LControl::SetLayout(const std::array<LLayoutPosition, 2>& positions,
                         const std::array<LLayoutSize, 2>& sizes, const std::array<bool, 2>& docked) {
  LLayoutDescriptor& layout = OwnLayout();
  const bool dockingChanged = layout.docked != docked;
  bool changed = dockingChanged;
  for (int axis = 0; axis < 2; ++axis)
    changed = changed || !SamePosition(layout.position[axis], positions[axis]) ||
              !SameSize(layout.size[axis], sizes[axis]);
  if (dockingChanged && mParent) mParent->mChildren.MarkChanged();
  layout.position = positions;
  layout.size = sizes;
  layout.docked = docked;
  UpdateLayout();
  return changed;
}

bool LControl::SetAxisSizeLimits(int32_t axis, const LLayoutSizeLimit& minimum,
                                 const LLayoutSizeLimit& maximum) {
  if (axis != 0 && axis != 1) return false;
  LLayoutDescriptor& layout = OwnLayout();
  const bool changed = !SameLimit(layout.minimum[axis], minimum) || !SameLimit(layout.maximum[axis], maximum);
  layout.minimum[axis] = minimum;
  layout.maximum[axis] = maximum;
  UpdateLayout();
  return changed;
}

// --- Sizes ---

LControl::Point LControl::GetDesiredSize() {
  const RCPtr<LLayoutDescriptor> natural = DynamicCast<LLayoutDescriptor>(mLayout->CreateCopy());
  for (LLayoutSize& size : natural->size) size = LLayoutSize{2, {}, 0, 0};
  LLayoutFrame frame;
  if (mParent) frame = FrameOf(*mParent);
  const SiblingsOf siblings(mParent ? *mParent : *this);
  RectT<double> rect;
  LLayoutSolver::ComputeLayoutRect(natural.Get(), frame, mParent ? &siblings : nullptr, rect);
  const RectT<double> limited = WithinSizeLimits(*this, GetLayoutText(), rect);
  return {limited.width, limited.height};
}

LControl::Point LControl::GetMaximumSize() {
  Point maximum;
  for (int axis = 0; axis < 2; ++axis) {
    const LLayoutSizeLimit& limit = mLayout->maximum[axis];
    if (!limit.hasNamedReference) At(maximum, axis) = limit.absolute;
  }
  return maximum;
}

LControl::Rect LControl::GetMaximumExtent() const { return Rect{0, 0, kWindowRange, kWindowRange}; }

// --- Scrolling and the layout order ---

HResult LControl::SetScrollOffset(const Point& offset) {
  const Point clamped{ClampToWindowRange(offset.x), ClampToWindowRange(offset.y)};
  if (clamped.x == mScrollOffset.x && clamped.y == mScrollOffset.y) return S_FALSE;
  const RCPtr<LControl> self(this);
  mScrollOffset = clamped;
  RelayoutChildren();
  InvalidateOwnArea();
  SendNotification(LNotification::Create(kNidScrollOffsetChange));
  return S_OK;
}

RCPtr<LControl> LControl::GetChildByLayoutOrder(uint32_t index) {
  std::vector<RCPtr<LControl>> children = mChildren.Snapshot();
  if (index >= children.size()) return nullptr;
  std::stable_sort(children.begin(), children.end(), [](const RCPtr<LControl>& a, const RCPtr<LControl>& b) {
    return a->mLayout->layoutOrder < b->mLayout->layoutOrder;
  });
  return children[index];
}

// --- Geometry in the root window ---

LControl::Rect LControl::GetRootBoundsInLocal() const {
  const Point origin = GetOriginInRoot();
  Point size{mRect.width, mRect.height};
  if (mParent) {
    size = {mParent->mRect.width, mParent->mRect.height};
  } else {
    const RootWindowAnswers root = AskRootWindow(*this);
    if (root.hasRootWindow) size = {root.clientSize.x, root.clientSize.y};
  }
  return Rect{-origin.x, -origin.y, size.x, size.y};
}

bool LControl::IntersectRects(const Rect& a, const Rect& b, Rect& result) {
  const double left = std::max(a.x, b.x);
  const double top = std::max(a.y, b.y);
  const double right = std::min(a.x + a.width, b.x + b.width);
  const double bottom = std::min(a.y + a.height, b.y + b.height);
  result = Rect{left, top, right - left, bottom - top};
  return result.width > kNoExtent && result.height > kNoExtent;
}

// --- Clipping to the parent ---

bool LControl::SetClipToParent(bool clip) {
  if (mLayout->clipToParent == clip) return clip;
  const RCPtr<LControl> self(this);
  if (clip) InvalidateOwnArea();
  OwnLayout().clipToParent = clip;
  if (mParent) {
    mParent->mChildren.MarkChanged();
    if (clip)
      mParent->DecrementAncestorCount();
    else
      mParent->IncrementAncestorCount();
  }
  if (!clip) InvalidateOwnArea();
  return mLayout->clipToParent;
}

void LControl::IncrementAncestorCount() {
  for (LControl* control = this; control; control = control->mParent) ++control->mNonClippingDescendants;
}

// A count that would go below 0 (a control that left the tree unclipped)
// stays at 0.
void LControl::DecrementAncestorCount() {
  for (LControl* control = this; control; control = control->mParent)
    if (control->mNonClippingDescendants > 0) --control->mNonClippingDescendants;
}

// --- Dragging ---

void LControl::GetDragLimits(int32_t axis, double& start, double& length) const {
  const Point& limits = mDragLimits[axis == 0 ? 0 : 1];
  start = limits.x;
  length = limits.y;
}

void LControl::SetDragLimits(int32_t axis, double start, double length) {
  if (axis == 0 || axis == 1) mDragLimits[axis] = Point{start, length};
}

void LControl::OnDragStart() {
  const RCPtr<LControl> self(this);
  if (mInteraction & kLeftDrag) {
    mDragStartSize = {mRect.width, mRect.height};
    mDragStartScroll = mParent ? mParent->mScrollOffset : Point{};
    if (mDragMode == 1) {
      // The top-level control stands for the application's main control.
      LControl* top = GetTopLevelControl();
      mDragTarget = top == this ? nullptr : RCPtr<LControl>(top);
      mDragWasNotClipping = !mLayout->clipToParent;
      SetClipToParent(false);
      // The control keeps its place on screen while it floats, whatever the
      // parent's scrolling does.
      std::array<LLayoutPosition, 2> positions = mLayout->position;
      std::array<bool, 2> docked = mLayout->docked;
      for (int axis = 0; axis < 2; ++axis) {
        mDragDockedAxes[axis] = !docked[axis];
        if (docked[axis]) continue;
        docked[axis] = true;
        positions[axis].absolute = Near(mRect, axis) - At(mDragStartScroll, axis);
      }
      SetLayout(positions, mLayout->size, docked);
    }
  }
  BeginDrag();
}

void LControl::BeginDrag() {
  mDragAccumulated = {mDragAccumulated.x + mDragDelta.x, mDragAccumulated.y + mDragDelta.y};
  mDragDelta = {};
  mDragStart = {mRect.x, mRect.y};
  mDragStartScroll = mParent ? mParent->mScrollOffset : Point{};
  mDragStartOwnScroll = mScrollOffset;
  mDragSamples.clear();
  for (int axis = 0; axis < 2; ++axis) {
    At(mDragStartOffset, axis) = mLayout->position[axis].absolute;
    At(mDragStartExtent, axis) = mLayout->size[axis].absolute;
  }
  mDragGrab = {mMouseX, mMouseY};
}

void LControl::OnDrag(const RCPtr<LPointWithModifiersParam>& point) {
  if (point) DragTo(Point{double(point->x), double(point->y)});
}

void LControl::DragTo(const Point& point) {
  if (mDragMode == 0 || mInDrag) return;
  const RCPtr<LControl> self(this);
  const FlagScope inDrag(mInDrag);
  if (mDragMode == 6) {
    DragScrollTo(point);
    AfterDrag(point);
    return;
  }
  const Point scroll = mParent ? mParent->mScrollOffset : Point{};
  std::array<LLayoutPosition, 2> positions = mLayout->position;
  std::array<LLayoutSize, 2> sizes = mLayout->size;
  // The pointer's way in the parent's content; on a docked axis, in the
  // visible part of it.
  for (int axis = 0; axis < 2; ++axis) {
    const bool docked = mLayout->docked[axis];
    At(mDragDelta, axis) = Near(mRect, axis) + At(point, axis) - At(mDragStart, axis) - At(mDragGrab, axis) -
                           (docked ? At(scroll, axis) - At(mDragStartScroll, axis) : 0);
  }
  const bool movesControl = mDragMode >= 1 && mDragMode <= 5;
  for (int axis = 0; axis < 2 && movesControl; ++axis) {
    const uint32_t movesAxis = axis == 0 ? 1u : 2u;
    if (mDragMode != 1 && !(mDragConstraints & movesAxis)) continue;
    double start = 0, length = 0;
    GetDragLimits(axis, start, length);
    const uint32_t lowBit = axis == 0 ? 0x4u : 0x10u;
    const uint32_t highBit = axis == 0 ? 0x8u : 0x20u;
    const bool keepsLow = mDragMode == 3 || (mDragMode >= 4 && (mDragConstraints & lowBit));
    const bool keepsHigh = mDragMode == 3 || (mDragMode >= 4 && (mDragConstraints & highBit));
    // Mode 5 moves the far edge; the others the near one.
    const double edge = At(mDragStart, axis) + (mDragMode == 5 ? At(mDragStartSize, axis) : 0);
    double moved = edge + At(mDragDelta, axis);
    if (keepsHigh) moved = std::min(moved, start + length);
    if (keepsLow) moved = std::max(moved, start);
    const double way = moved - edge;
    if (mDragMode == 5)
      sizes[axis].absolute = At(mDragStartExtent, axis) + way;
    else
      positions[axis].absolute = At(mDragStartOffset, axis) + way;
  }
  if (movesControl) SetLayout(positions, sizes, mLayout->docked);
  AfterDrag(point);
}

void LControl::OnDragEnd() {
  const RCPtr<LControl> self(this);
  if (mDragMode != 1) {
    // The parent may have been scrolling under the dragged control.
    if (mParent) {
      mParent->StopScrollAnimation(0);
      mParent->StopScrollAnimation(1);
    }
    return;
  }
  // The root window shows the default cursor here (ApplyCursor).
  if (!mDragWasNotClipping) SetClipToParent(true);
  const Point scroll = mParent ? mParent->mScrollOffset : Point{};
  std::array<LLayoutPosition, 2> positions = mLayout->position;
  std::array<bool, 2> docked = mLayout->docked;
  for (int axis = 0; axis < 2; ++axis) {
    if (!mDragDockedAxes[axis]) continue;
    mDragDockedAxes[axis] = false;
    docked[axis] = false;
    positions[axis].absolute += At(scroll, axis);
  }
  SetLayout(positions, mLayout->size, docked);
  if (const RCPtr<LControl> target = mDragTarget) {
    mDragTarget = nullptr;
    target->StopScrollAnimation(0);
    target->StopScrollAnimation(1);
    target->AcceptDroppedControl(*this);
    target->OnControlDropped(*this);
  }
}

}  // namespace HV
