#include "HVFramework/ControlBase/Control/LLayoutSolver.h"

#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <algorithm>
#include <cmath>

namespace HV {
namespace {

// Extents at or below this count as nothing to measure against.
constexpr double kNoExtent = 2.220446049250313e-16;
// Text rectangles are measured within the renderer's coordinate range.
constexpr double kTextRange = 8388608.0;

double Near(const RectT<double>& rect, int axis) { return axis == 0 ? rect.x : rect.y; }
double& Near(RectT<double>& rect, int axis) { return axis == 0 ? rect.x : rect.y; }
double Extent(const RectT<double>& rect, int axis) { return axis == 0 ? rect.width : rect.height; }
double& Extent(RectT<double>& rect, int axis) { return axis == 0 ? rect.width : rect.height; }

// A named sibling's near edge (without the scrolling a docked one carries)
// and its extent on one axis; zero for a name that matches no sibling. A
// top-level control has no siblings: the frame's reference point stands in.
void NamedBase(const ILayoutSiblings* siblings, const LLayoutFrame& frame, const StringW& name, int axis,
               double& base, double& extent) {
  base = 0;
  extent = 0;
  if (!siblings) {
    base = frame.referencePoint[axis];
    return;
  }
  LLayoutBox box;
  if (!siblings->FindSibling(name, box)) return;
  base = Near(box.rect, axis) - (box.docked[axis] ? frame.scroll[axis] : 0);
  extent = Extent(box.rect, axis);
}

double SolvePosition(const LLayoutPosition& position, const LLayoutFrame& frame,
                     const ILayoutSiblings* siblings, int axis) {
  switch (position.referenceMode) {
    case 0:
      return RoundHalfAway(position.relative * frame.extent[axis]) + position.absolute + frame.origin[axis];
    case 2: {
      double base = 0, extent = 0;
      NamedBase(siblings, frame, position.referenceName, axis, base, extent);
      return RoundHalfAway(position.relative * extent) + base + position.absolute;
    }
    default:
      return RoundHalfAway(position.relative * frame.client[axis]) + position.absolute;
  }
}

// The size that puts the far edge given by the size description at the
// right distance from the anchored position. The anchor factors are single
// precision, as the skin gives them.
double SizeFromSpan(double span, float anchor) {
  if (span > 0 && anchor >= 0 && anchor < 1) return span * static_cast<double>(1.0f / (1.0f - anchor));
  if (span < 0 && anchor > 0 && anchor <= 1) return span * static_cast<double>(1.0f / -anchor);
  return 0;
}

double SolveSize(const LLayoutSize& size, const LLayoutFrame& frame, const ILayoutSiblings* siblings,
                 int axis, float anchor, double position) {
  double origin = 0, extent = 0;
  switch (size.referenceMode) {
    case 2:
      return std::max(size.absolute, 0.0);
    case 0:
      origin = frame.origin[axis];
      extent = frame.extent[axis];
      break;
    case 3:
      NamedBase(siblings, frame, size.referenceName, axis, origin, extent);
      break;
    default:
      extent = frame.client[axis];
      break;
  }
  const double farEdge = RoundHalfAway(size.relative * extent) + origin + size.absolute;
  return SizeFromSpan(farEdge - position, anchor);
}

bool IsChildrenName(const StringW& name) { return name == StringW(u"Children"); }

}  // namespace

// A size limit's reference: a child, or the bounds of the children, in the
// control's parent's coordinates (like the position being limited).
struct LLayoutSolver::Reference {
  RectT<double> rect;
  bool isChildren = false;
};

HResult LLayoutSolver::ComputeLayoutRect(const LLayoutDescriptor* layout, const LLayoutFrame& frame,
                                         const ILayoutSiblings* siblings, RectT<double>& rect) {
  if (!layout) return E_INVALIDARG;
  PointT<double> position, size;
  for (int axis = 0; axis < 2; ++axis) {
    const float anchor = layout->position[axis].placementAnchor;
    position[axis] = SolvePosition(layout->position[axis], frame, siblings, axis);
    size[axis] = SolveSize(layout->size[axis], frame, siblings, axis, anchor, position[axis]);
    position[axis] -= anchor * size[axis];
    if (layout->docked[axis]) position[axis] += frame.scroll[axis];
  }
  rect = {position.x, position.y, size.x, size.y};
  RoundEdges(rect);
  return S_OK;
}

void LLayoutSolver::RoundEdges(RectT<double>& rect) {
  const double left = RoundHalfAway(rect.x);
  const double top = RoundHalfAway(rect.y);
  const double right = RoundHalfAway(rect.x + rect.width);
  const double bottom = RoundHalfAway(rect.y + rect.height);
  rect = {left, top, right - left, bottom - top};
}

void LLayoutSolver::GrowForText(const ILayoutSubject& subject, int axis, const PointT<double>& size,
                                double& minimum) {
  ILayoutTextMeasurer* text = subject.GetText();
  if (!text) return;
  const LLayoutDescriptor& layout = subject.GetLayout();
  const bool expands = axis == 0 ? layout.textOverflowX == 1 : layout.textOverflowY != 0;
  if (!expands) return;
  if (axis == 0) text->SetWrap(false);
  const double room = std::clamp(Extent(text->GetTextRect(size), axis), -kTextRange, kTextRange);
  double needed = 0;
  if (axis == 0) {
    needed = text->GetTextWidth();
  } else {
    // Not-a-number has no width to wrap at.
    const double wrapWidth =
        std::isnan(size.x) ? 0 : std::clamp(std::trunc(size.x), -2147483648.0, 2147483647.0);
    needed = text->GetTextHeight(static_cast<int32_t>(wrapWidth));
  }
  const double shortfall = std::ceil(needed - room);
  // A text rectangle that does not follow the control's size cannot be
  // made larger by growing the control.
  const double span = text->GetRelativeSpan(axis);
  if (shortfall > 0 && span > 0)
    minimum = std::max(minimum, size[axis] + std::trunc(std::ceil(shortfall / span)));
  if (axis != 0) return;
  // A maximum of its own limits the growth; the text then wraps instead.
  const LLayoutSizeLimit& maximum = layout.maximum[0];
  if (!maximum.hasNamedReference && maximum.absolute > 0 && minimum > maximum.absolute) {
    minimum = maximum.absolute;
    text->SetWrap(true);
  }
}

// What the look's borders add to the control on an axis: the control's size
// less its client size.
double LLayoutSolver::BorderOf(const ILayoutSubject& subject, int axis, const PointT<double>& size) {
  RectT<double> client;
  if (!subject.GetClientRect(size, client)) return 0;
  return size[axis] - RoundHalfAway(Extent(client, axis));
}

bool LLayoutSolver::FindLimitReference(const ILayoutSubject& subject, int axis, const LLayoutSizeLimit& limit,
                                       const PointT<double>& position, const PointT<double>& size,
                                       bool isMaximum, Reference& reference) {
  const uint32_t count = subject.GetChildCount();
  if (count == 0) return false;
  const PointT<double> scroll = subject.GetScrollOffset();
  RectT<double> client;
  PointT<double> clientOrigin;
  if (subject.GetClientRect(size, client)) clientOrigin = {client.x, client.y};
  // A child's rectangle moved from the control's content into the parent's
  // coordinates; docked children carry the scrolling, which is taken out.
  const auto convert = [&](const LLayoutBox& box) {
    RectT<double> rect = box.rect;
    for (int a = 0; a < 2; ++a)
      Near(rect, a) += position[a] + clientOrigin[a] - scroll[a] - (box.docked[a] ? scroll[a] : 0);
    return rect;
  };
  LLayoutBox box;
  if (subject.FindChild(limit.referenceName, box)) {
    reference = {convert(box), false};
    return true;
  }
  if (!IsChildrenName(limit.referenceName)) return false;
  const LLayoutBox first = subject.GetChild(0);
  if (isMaximum && first.docked[0] && first.docked[1]) return false;
  RectT<double> bounds = convert(first);
  for (uint32_t i = count - 1; i >= 1; --i) {
    const LLayoutBox child = subject.GetChild(i);
    if (!isMaximum && !child.clipToParent) continue;
    const RectT<double> rect = convert(child);
    const double farEdge = Near(rect, axis) + Extent(rect, axis);
    const double boundsFar = Near(bounds, axis) + Extent(bounds, axis);
    if (farEdge > boundsFar) Extent(bounds, axis) += farEdge - boundsFar;
    if (Near(rect, axis) < Near(bounds, axis)) {
      Extent(bounds, axis) += Near(bounds, axis) - Near(rect, axis);
      Near(bounds, axis) = Near(rect, axis);
    }
  }
  // Only the span of the children counts; it is laid from the anchored position.
  const float anchor = subject.GetLayout().position[axis].placementAnchor;
  Near(bounds, axis) = position[axis] - anchor * Extent(bounds, axis);
  reference = {bounds, true};
  return true;
}

HResult LLayoutSolver::ApplyMinimumSize(const ILayoutSubject& subject, PointT<double>& position,
                                        PointT<double>& size) {
  const LLayoutDescriptor& layout = subject.GetLayout();
  bool changed = false, failed = false;
  for (int axis = 0; axis < 2; ++axis) {
    const float anchor = layout.position[axis].placementAnchor;
    const LLayoutSizeLimit& limit = layout.minimum[axis];
    if (!limit.hasNamedReference) {
      double minimum = limit.absolute;
      GrowForText(subject, axis, size, minimum);
      if (size[axis] < minimum) {
        position[axis] -= RoundHalfAway(anchor * (minimum - size[axis]));
        size[axis] = minimum;
        changed = true;
      }
      continue;
    }
    Reference reference;
    if (!FindLimitReference(subject, axis, limit, position, size, false, reference)) continue;
    const double extent = Extent(reference.rect, axis);
    if (!(extent > 0)) continue;
    // The children's span is what the client area must hold; the look's
    // borders come on top of it. They are folded into the limit rather than
    // added to the size after it is applied: a control that already holds
    // its children and borders stays as it is, where adding them afterwards
    // would grow it by the borders again on every layout pass, and the
    // anchor places the whole growth, borders included.
    const double border = reference.isChildren ? BorderOf(subject, axis, size) : 0;
    const double limitEnd = limit.relative * extent + Near(reference.rect, axis) + limit.absolute + border;
    if (position[axis] <= limitEnd && position[axis] + size[axis] < limitEnd) {
      if (anchor < 0 || anchor >= 1) {
        failed = true;
        continue;
      }
      position[axis] -= RoundHalfAway(anchor * (limitEnd - (position[axis] + size[axis])) / (1 - anchor));
      size[axis] = RoundHalfAway(limitEnd) - position[axis];
      changed = true;
    } else if (position[axis] > limitEnd) {
      if (anchor <= 0 || anchor > 1) {
        failed = true;
        continue;
      }
      const double overshoot = position[axis] - limitEnd;
      position[axis] = limitEnd;
      size[axis] += RoundHalfAway(overshoot / anchor);
      changed = true;
    }
  }
  if (failed) return E_FAIL;
  return changed ? kChanged : kUnchanged;
}

HResult LLayoutSolver::ApplyMaximumSize(const ILayoutSubject& subject, PointT<double>& position,
                                        PointT<double>& size) {
  const LLayoutDescriptor& layout = subject.GetLayout();
  bool changed = false;
  for (int axis = 0; axis < 2; ++axis) {
    const float anchor = layout.position[axis].placementAnchor;
    const LLayoutSizeLimit& limit = layout.maximum[axis];
    if (!limit.hasNamedReference) {
      // 0 is "no maximum"; a negative maximum is no size at all and is read the same way.
      if (limit.absolute <= 0 || !(size[axis] > limit.absolute)) continue;
      position[axis] -= RoundHalfAway(anchor * (limit.absolute - size[axis]));
      size[axis] = limit.absolute;
      changed = true;
      continue;
    }
    Reference reference;
    if (!FindLimitReference(subject, axis, limit, position, size, true, reference)) continue;
    if (!(reference.rect.width > kNoExtent && reference.rect.height > kNoExtent)) continue;
    const double border = reference.isChildren ? BorderOf(subject, axis, size) : 0;
    const double limitEnd =
        limit.relative * Extent(reference.rect, axis) + Near(reference.rect, axis) + limit.absolute + border;
    // The far edge is brought back to the limit; limits of a pixel or less
    // (at or below the anchor value) are treated the same way.
    if (position[axis] < limitEnd && limitEnd < position[axis] + size[axis]) {
      position[axis] -= RoundHalfAway(anchor * (limitEnd - (position[axis] + size[axis])));
      size[axis] = RoundHalfAway(limitEnd) - position[axis];
      changed = true;
    }
  }
  return changed ? kChanged : kUnchanged;
}

}  // namespace HV
