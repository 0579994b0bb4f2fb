#include "HVFramework/Controls/Splitter/LSplitterBase.h"

#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace HV {
namespace {

constexpr double kNoLimit = 4503599627370496.0;  // 2^52
// A size that moved by less than this did not move: rounding noise.
constexpr double kSizeTolerance = 2.220446049250313e-15;
// Layout modes of the descriptions: a position relative to a named control,
// a size of the control's own, a size relative to a named control.
constexpr int32_t kPositionClient = 1;
constexpr int32_t kPositionNamed = 2;
constexpr int32_t kSizeSelf = 2;
constexpr int32_t kSizeNamed = 3;

double Near(const LControl::Rect& rect, int32_t axis) { return axis == 0 ? rect.x : rect.y; }
double Extent(const LControl::Rect& rect, int32_t axis) { return axis == 0 ? rect.width : rect.height; }
double At(const LControl::Point& point, int32_t axis) { return axis == 0 ? point.x : point.y; }

// The parent's children in layout order (LayoutOrder, then attachment).
std::vector<RCPtr<LControl>> InLayoutOrder(LControl& parent) {
  std::vector<RCPtr<LControl>> children = parent.GetChildren().Snapshot();
  std::stable_sort(children.begin(), children.end(), [](const RCPtr<LControl>& a, const RCPtr<LControl>& b) {
    return a->GetLayout()->layoutOrder < b->GetLayout()->layoutOrder;
  });
  return children;
}

}  // namespace

LSplitterBase::LSplitterBase(LControl* parent, const StringW& name, int32_t orientation)
    : LControl(parent, name), mOrientation(orientation) {}

LSplitterBase::~LSplitterBase() = default;

HResult LSplitterBase::Initialize() {
  const HResult base = LControl::Initialize();
  ResolveCursor();
  return base;
}

// The control is usually built before its window exists; the cursor is
// looked up again when the pointer first comes over it.
void LSplitterBase::ResolveCursor() {
  LRootWindow* root = GetRootWindow();
  if (!root) root = GetApplicationRootWindowAt(0);
  IOSWindowHost* host = root ? root->GetHost() : nullptr;
  if (!host) return;
  SetCursor(host->GetCursorByName(StringW(mOrientation == 0 ? u"UI_CURSOR_SIZE_NS" : u"UI_CURSOR_SIZE_WE")));
}

// --- Limits ---

RCPtr<LControl> LSplitterBase::FindAnchor() const {
  const LLayoutPosition& position = GetLayout()->position[GetAxis()];
  LControl* parent = GetParent();
  if (position.referenceMode != kPositionNamed || !parent) return nullptr;
  return parent->FindChildControl(position.referenceName);
}

void LSplitterBase::ComputeLimits(Limits when) {
  const int32_t axis = GetAxis();
  const double p = Near(GetRect(), axis);
  mMinPos = 0;
  mMaxPos = kNoLimit;
  if (const RCPtr<LControl> anchor = FindAnchor()) {
    mAnchor = anchor;
    if (when == Limits::kAtDragStart) {
      // Free the splitter from its anchor for the drag; OnDragEnd ties it again.
      LLayoutPosition position = GetLayout()->position[axis];
      mSavedOffset = position.absolute;
      mSavedRelative = position.relative;
      position.referenceMode = kPositionClient;
      position.absolute = p;
      position.relative = 0;
      SetAxisLayout(axis, position, GetLayout()->size[axis], GetLayout()->docked[axis]);
    }
    mAnchorPosition = anchor->GetLayout()->position[axis].absolute;
    mAnchorSize = anchor->GetLayout()->size[axis].absolute;
    const double minimum = At(anchor->GetDesiredSize(), axis);
    const double maximum = At(anchor->GetMaximumSize(), axis);
    mMinPos = std::max(mMinPos, p - (mAnchorSize - minimum));
    if (maximum > 0) mMaxPos = std::min(mMaxPos, p + (maximum - mAnchorSize));
  } else {
    mAnchor = nullptr;
  }
  LControl* parent = GetParent();
  if (!parent) return;
  const std::vector<RCPtr<LControl>> siblings = InLayoutOrder(*parent);
  const auto self = std::find_if(siblings.begin(), siblings.end(),
                                 [this](const RCPtr<LControl>& child) { return child.Get() == this; });
  for (auto at = self == siblings.end() ? self : self + 1; at != siblings.end(); ++at) {
    LControl& sibling = **at;
    const LLayoutDescriptor& layout = *sibling.GetLayout();
    const bool sizedBySplitter = layout.size[axis].referenceMode == kSizeNamed && layout.size[axis].referenceName == GetName();
    const bool placedBySplitter = layout.position[axis].referenceMode == kPositionNamed &&
                                  layout.position[axis].referenceName == GetName() &&
                                  layout.size[axis].referenceMode != kSizeSelf;
    if (!sizedBySplitter && !placedBySplitter) continue;
    double size = Extent(sibling.GetRect(), axis);
    if (when == Limits::kAfterLayout) {
      Rect laidOut;
      if (sibling.ComputeLayoutRect(laidOut) < 0) continue;
      if (std::fabs(Extent(laidOut, axis) - size) < kSizeTolerance) continue;
      size = Extent(laidOut, axis);
    }
    const double relative = sizedBySplitter ? layout.size[axis].relative : layout.position[axis].relative;
    LimitBySibling(sibling, size, relative == 0);
  }
}

// A sibling whose relative value is 0 grows as the splitter moves on, as the
// anchor does; any other shrinks.
void LSplitterBase::LimitBySibling(LControl& sibling, double size, bool sameDirection) {
  const int32_t axis = GetAxis();
  const double p = Near(GetRect(), axis);
  const double minimum = At(sibling.GetDesiredSize(), axis);
  const double maximum = At(sibling.GetMaximumSize(), axis);
  if (sameDirection) {
    mMinPos = std::max(mMinPos, p - (size - minimum));
    if (maximum > 0) mMaxPos = std::min(mMaxPos, p + (maximum - size));
  } else {
    mMaxPos = std::min(mMaxPos, p + (size - minimum));
    if (maximum > 0) mMinPos = std::max(mMinPos, p - (maximum - size));
  }
}

void LSplitterBase::GetDragLimits(int32_t axis, double& start, double& length) const {
  if (axis != GetAxis()) {
    LControl::GetDragLimits(axis, start, length);
    return;
  }
  // The base drag keeps the splitter's own coordinate in the parent, the
  // coordinate the limits are worked out in.
  start = mMinPos;
  length = mMaxPos - mMinPos;
}

// --- Dragging ---

void LSplitterBase::OnDragStart() {
  const RCPtr<LControl> self(this);
  mDragStartCoordinate = Near(GetRect(), GetAxis());
  ComputeLimits(Limits::kAtDragStart);
  LControl::OnDragStart();
}

void LSplitterBase::AfterDrag(const Point& /*point*/) {
  const RCPtr<LControl> anchor = mAnchor;
  if (!anchor) return;
  const int32_t axis = GetAxis();
  // The way the splitter went, within its limits.
  LLayoutSize size = anchor->GetLayout()->size[axis];
  size.absolute = mAnchorSize + (Near(GetRect(), axis) - mDragStartCoordinate);
  anchor->SetAxisLayout(axis, anchor->GetLayout()->position[axis], size, anchor->GetLayout()->docked[axis]);
}

void LSplitterBase::OnDragEnd() {
  const RCPtr<LControl> self(this);
  if (mAnchor) {
    const int32_t axis = GetAxis();
    LLayoutPosition position = GetLayout()->position[axis];
    position.referenceMode = kPositionNamed;
    position.referenceName = mAnchor->GetName();
    position.absolute = mSavedOffset;
    position.relative = mSavedRelative;
    SetAxisLayout(axis, position, GetLayout()->size[axis], GetLayout()->docked[axis]);
  }
  LControl::OnDragEnd();
}

HResult LSplitterBase::Relayout(int32_t width, int32_t height) {
  const RCPtr<LControl> self(this);
  const HResult result = LControl::Relayout(width, height);
  if (GetConditions() & kLeftDrag) return result;
  ComputeLimits(Limits::kAfterLayout);
  const RCPtr<LControl> anchor = std::exchange(mAnchor, nullptr);
  if (mMinPos > mMaxPos) std::swap(mMinPos, mMaxPos);
  const int32_t axis = GetAxis();
  const double p = Near(GetRect(), axis);
  const double limit = std::clamp(p, mMinPos, mMaxPos);
  if (!anchor || limit == p) return result;
  // Bring the splitter back inside by resizing its anchor; its own layout
  // stays as the skin gave it.
  LLayoutSize size = anchor->GetLayout()->size[axis];
  size.absolute += limit - p;
  anchor->SetAxisLayout(axis, anchor->GetLayout()->position[axis], size, anchor->GetLayout()->docked[axis]);
  return result;
}

// --- Conditions and looks ---

void LSplitterBase::OnConditionsChanged(const RCPtr<LConditionsParam>& conditions) {
  if (!conditions) return;
  const uint32_t previous = conditions->previous;
  const uint32_t current = conditions->current;
  if ((current & kLeftDrag) && !(previous & kLeftDrag))
    SetDragMode(3, mOrientation == 0 ? 2u : 1u);
  else if ((previous & kLeftDrag) && !(current & kLeftDrag))
    mAnchor = nullptr;
  if (GetCursor() == 0 && (current & kMouseOver) && !(previous & kMouseOver)) {
    ResolveCursor();
    if (GetCursor() != 0) ApplyCursor();
  }
  SelectLookForState(current);
}

void LSplitterBase::SelectLookForState(uint32_t word) {
  if (!(word & kEnabled)) {
    SelectLook(kLookDisabled);
    return;
  }
  const bool dragging = (word & kCapture) && (word & kLeftDrag);
  const bool over = (word & kMouseOver) != 0;
  int32_t index = kLookNormal;
  if (dragging)
    index = over ? kLookDragged : kLookHover;
  else if (over && !(word & kCapture))
    index = kLookHover;
  if (word & kHasFocus) index += kLookFocused;
  SelectLook(index);
}

}  // namespace HV
