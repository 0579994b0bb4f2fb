// The drawing part of LControl: how a control, its looks, its own content
// and its children are drawn for a dirty region, which controls are left for
// the second (non-clipping) pass, and how a changed area travels up the tree
// to the root window.
#include "HVFramework/ControlBase/Control/CAutoClip.h"
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Renderer/LRenderContextInfo.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"
#include "HVFramework/ObjectBase/UIThread.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace HV {
namespace {

constexpr double kEmpty = 2.220446049250313e-16;         // 2^-52: at most this much counts as nothing
constexpr double kCoordinateLimit = 4503599627370496.0;  // 2^52

bool HasArea(const RectT<double>& r) { return r.width > kEmpty && r.height > kEmpty; }

RectT<double> ToRectT(const LControl::Rect& r) { return {r.x, r.y, r.width, r.height}; }

// Each value rounded half away from zero to a 32-bit integer, then back to a
// double kept within 2^52.
RectT<double> RoundedToPixels(const RectT<double>& r) {
  const RectT<int32_t> i = r.Round();
  auto limited = [](int32_t v) { return std::clamp(double(v), -kCoordinateLimit, kCoordinateLimit); };
  return {limited(i.x), limited(i.y), limited(i.width), limited(i.height)};
}

// The current state's clip rectangle and translation; without a started
// context those of a fresh state (nothing clipped, no translation).
RectT<double> CurrentClip(const LRenderer& renderer) {
  const LRenderContextInfo* context = renderer.GetCurrentContext();
  return context ? context->GetClipBounds() : RenderState{}.clipRect;
}

PointT<double> CurrentOrigin(const LRenderer& renderer) {
  const LRenderContextInfo* context = renderer.GetCurrentContext();
  return context ? context->GetOrigin() : PointT<double>{};
}

void MultiplyAlpha(const LRenderer& renderer, float factor) {
  if (LRenderContextInfo* context = renderer.GetCurrentContext())
    context->GetCurrentState().alphaFactor *= factor;
}

// Strict overlap on both axes: touching edges do not count.
bool Overlaps(const RectT<double>& a, const RectT<double>& b) {
  return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

// Left and top as value + 0.5 truncated, right and bottom as left and top
// plus the size + 0.5 truncated, all kept within 32 bits.
RegionRect ToRegionRect(const LControl::Rect& r) {
  auto truncated = [](double v) {
    return static_cast<int64_t>(std::clamp(v + 0.5, -2147483648.0, 2147483647.0));
  };
  auto limited = [](int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
  const int64_t left = truncated(r.x);
  const int64_t top = truncated(r.y);
  return {limited(left), limited(top), limited(left + truncated(r.width)),
          limited(top + truncated(r.height))};
}

// The whole pixels a rectangle touches: the edges rounded outwards, kept
// within 32 bits.
RectT<int32_t> CoveringPixels(const LControl::Rect& r) {
  auto limited = [](double v) { return std::clamp(v, -2147483648.0, 2147483647.0); };
  const double left = limited(std::floor(r.x));
  const double top = limited(std::floor(r.y));
  const double right = limited(std::ceil(r.x + r.width));
  const double bottom = limited(std::ceil(r.y + r.height));
  return {static_cast<int32_t>(left), static_cast<int32_t>(top),
          static_cast<int32_t>(std::min(right - left, 2147483647.0)),
          static_cast<int32_t>(std::min(bottom - top, 2147483647.0))};
}

// A control is listed once even when several looks or runs reach it, so the
// second pass never draws it twice.
bool AppendOnce(RCPtrArray<LControl>& list, LControl& control) {
  for (uint32_t i = 0; i < list.GetCount(); ++i)
    if (list.GetAt(i).Get() == &control) return false;
  list.AddItem(RCPtr<LControl>(&control));
  return true;
}

bool ClipsToParent(const LControl& control) { return control.ReadLayout().clipToParent; }

int32_t DockedAxes(const LControl& control) {
  const LLayoutDescriptor& layout = control.ReadLayout();
  return (layout.docked[0] ? 1 : 0) + (layout.docked[1] ? 1 : 0);
}

// The children in z-order, held while they are drawn.
std::vector<RCPtr<LControl>> ChildrenInZOrder(LControl& control) {
  LControl::ChildControlList& children = control.GetChildren();
  std::vector<RCPtr<LControl>> ordered;
  ordered.reserve(children.GetCount());
  for (uint32_t i = 0; i < children.GetCount(); ++i)
    ordered.push_back(children.GetAt(i, LControlChildList::kZ));
  return ordered;
}

// What is left of a control that is not drawn: its non-clipping
// descendants, which the second pass still draws.
void ListNonClippingBelow(LControl& control, RCPtrArray<LControl>& deferred) {
  if (control.GetNonClippingDescendantCount() > 0)
    control.CollectNonClippingDescendants(deferred, true, false);
}

using LookOperation = int32_t (LLook::*)(LRenderer&, const LRectRegion&);

// One look operation for every present look of positive weight, each with
// the alpha factor multiplied by the look's weight.
void DrawLooks(const LControl& control, const RCPtr<LRenderer>& renderer, const LRectRegion& dirty,
               LookOperation operation) {
  for (int32_t i = 0; i < control.GetLookCount(); ++i) {
    const RCPtr<LLook>& look = control.GetLook(i);
    const float weight = control.GetLookWeight(i);
    if (!look || !(weight > 0)) continue;
    const CAutoClip state(renderer, ClipSpec::CopyState());
    MultiplyAlpha(*renderer, weight);
    (look.Get()->*operation)(*renderer, dirty);
  }
}

// draw() once for every dirty rectangle that meets the current clip, inside
// a clip to that rectangle (in the control's coordinates).
template <class DrawPiece>
void ForEachDirtyPiece(const RCPtr<LRenderer>& renderer, const LRectRegion& dirty, DrawPiece draw) {
  for (const RegionRect& r : dirty.GetRects()) {
    RectT<double> piece{double(r.left), double(r.top), double(r.right) - r.left, double(r.bottom) - r.top};
    const PointT<double> origin = CurrentOrigin(*renderer);
    piece.x -= origin.x;
    piece.y -= origin.y;
    piece.Intersect(CurrentClip(*renderer));
    if (!HasArea(piece)) continue;
    const CAutoClip clipped(renderer, ClipSpec::ChildRect({0, 0, 0, 0}, piece, nullptr));
    draw();
  }
}

}  // namespace

// --- Drawing ---

HResult LControl::Draw(const RCPtr<LRenderer>& renderer, const LRectRegion& dirty,
                       RCPtrArray<LControl>& deferred, bool nonClippingPass) {
  if (nonClippingPass == mLayout->clipToParent) return E_INVALIDARG;
  if (!renderer || !IsVisible()) return S_OK;
  const RCPtr<LControl> self(this);
  RectT<double> area = ToRectT(mRect);
  if (!nonClippingPass) area.Intersect(CurrentClip(*renderer));
  if (!HasArea(area)) {
    ListNonClippingBelow(*this, deferred);
    return S_OK;
  }
  // The clip is the visible part of the control in its own coordinates.
  const RectT<double> position = RoundedToPixels(ToRectT(mRect));
  RectT<double> clip = area;
  clip.x -= position.x;
  clip.y -= position.y;
  const CAutoClip inControl(renderer, ClipSpec::ChildRect(position, clip, nullptr));
  MultiplyAlpha(*renderer, mOpacity);

  if (!dirty.IntersectsBounds({0, 0, mRect.width, mRect.height}, CurrentOrigin(*renderer))) {
    ListNonClippingBelow(*this, deferred);
    return S_OK;
  }
  DrawLooks(*this, renderer, dirty, &LLook::DrawClientArea);
  DrawLooks(*this, renderer, dirty, &LLook::DrawNonClientParts);
  ForEachDirtyPiece(renderer, dirty, [&] { DrawContent(renderer); });
  const PointT<double> textOffset =
      mLabelScrolls ? PointT<double>{mScrollOffset.x, mScrollOffset.y} : PointT<double>{};
  for (int32_t i = 0; i < GetLookCount(); ++i) {
    const float weight = GetLookWeight(i);
    if (!(weight > 0)) continue;
    const CAutoClip state(renderer, ClipSpec::CopyState());
    MultiplyAlpha(*renderer, weight);
    if (const RCPtr<LLook>& look = GetLook(i)) look->DrawLabelText(*renderer, dirty, textOffset);
    if (mChildren.GetCount() > 0) DrawChildren(renderer, dirty, i, deferred);
  }
  ForEachDirtyPiece(renderer, dirty, [&] { DrawOverlay(renderer); });
  for (const RCPtr<LControl>& child : ChildrenInZOrder(*this))
    if (child->IsVisible() && !ClipsToParent(*child)) AppendOnce(deferred, *child);
  return S_OK;
}

void LControl::DrawChildren(const RCPtr<LRenderer>& renderer, const LRectRegion& dirty, int32_t lookIndex,
                            RCPtrArray<LControl>& deferred) {
  const std::vector<RCPtr<LControl>> children = ChildrenInZOrder(*this);
  // The clipping children come first in z-order, by their number of docked
  // axes; each run ends at the first child that does not belong to it.
  auto runEnd = [&](size_t from, int32_t docked) {
    while (from < children.size() && ClipsToParent(*children[from]) && DockedAxes(*children[from]) == docked)
      ++from;
    return from;
  };
  auto drawRun = [&](size_t from, size_t to, const ClipSpec& spec) {
    const CAutoClip inClient(renderer, spec);
    for (size_t k = from; k < to; ++k) children[k]->Draw(renderer, dirty, deferred, false);
  };

  const ClipSpec inClient = GetChildClipSpec(true, lookIndex);
  RectT<double> clientInControl = inClient.clip;
  clientInControl.Offset({inClient.position.x, inClient.position.y});
  const bool isClientShown = HasArea(inClient.clip) && Overlaps(clientInControl, CurrentClip(*renderer));
  size_t k = 0;
  for (int32_t docked = 0; docked < 2; ++docked) {
    const size_t end = runEnd(k, docked);
    if (end > k && isClientShown) {
      drawRun(k, end, inClient);
    } else {
      for (size_t i = k; i < end; ++i) ListNonClippingBelow(*children[i], deferred);
    }
    k = end;
  }
  const size_t end = runEnd(k, 2);
  if (end > k) drawRun(k, end, GetChildClipSpec(false, lookIndex));
}

ClipSpec LControl::GetChildClipSpec(bool withClip, int32_t lookIndex) const {
  const RCPtr<LLook>& look = GetLook(lookIndex);
  const RectT<double> bounds = RoundedToPixels(
      look ? RectT<double>{0, 0, double(look->GetWidth()), double(look->GetHeight())} : ToRectT(mRect));
  // The children's origin: the client origin minus the scroll offset, on
  // whole pixels, where GetPositionInParent puts them too.
  const RectT<double> client =
      look ? ToRectT(GetClientOffsets(lookIndex)) : RectT<double>{0, 0, bounds.width, bounds.height};
  const PointT<double> origin{RoundHalfAway(bounds.x + client.x - mScrollOffset.x),
                              RoundHalfAway(bounds.y + client.y - mScrollOffset.y)};
  if (!withClip) return ClipSpec::Scroll(origin);
  RectT<double> clip = client;
  clip.x -= origin.x;
  clip.y -= origin.y;
  const RectT<double> position{origin.x, origin.y, bounds.width + mScrollOffset.x,
                               bounds.height + mScrollOffset.y};
  return ClipSpec::ChildRect(position, clip, look ? look->GetStencil() : nullptr);
}

int32_t LControl::CollectNonClippingDescendants(RCPtrArray<LControl>& deferred, bool stopAtHidden,
                                                bool includeSelf) {
  const uint32_t before = deferred.GetCount();
  const bool isHidden = !IsVisible();
  if (stopAtHidden && isHidden) return 0;
  if (includeSelf && !mLayout->clipToParent) AppendOnce(deferred, *this);
  for (const RCPtr<LControl>& child : ChildrenInZOrder(*this))
    child->CollectNonClippingDescendants(deferred, stopAtHidden, true);
  return static_cast<int32_t>(deferred.GetCount() - before);
}

// --- Invalidation ---

bool LControl::IsUnseenWhileBuilding() const { return sSkinBuilds > 0 && !GetRootWindow(); }

HResult LControl::Invalidate(const Rect& rect, uint32_t flags) {
  HV_ASSERT_UI_THREAD();
  if (IsUnseenWhileBuilding()) return S_OK;
  const Point origin = GetOriginInRoot();
  return InvalidateInRoot(Rect{rect.x + origin.x, rect.y + origin.y, rect.width, rect.height}, flags, rect);
}

HResult LControl::InvalidateInRoot(const Rect& rootRect, uint32_t flags, const Rect& localRect) {
  HV_ASSERT_UI_THREAD();
  Rect local = localRect;
  if (!mParent) {
    if (!IntersectRects(localRect, GetRootBoundsInLocal(), local)) return S_FALSE;
    // Nothing collects invalidations until the tree sits in a root window.
    if (LRootWindow* window = GetRootWindow()) {
      const Point origin = GetOriginInRoot();
      window->InvalidateRect(
          CoveringPixels({local.x + origin.x, local.y + origin.y, local.width, local.height}));
    }
    return S_OK;
  }
  const Point at = GetPositionInParent();
  if (flags & 1) {
    const Rect parentArea{-at.x, -at.y, mParent->mRect.width, mParent->mRect.height};
    if (!IntersectRects(localRect, parentArea, local)) return S_FALSE;
  }
  const Rect root{rootRect.x + local.x - localRect.x, rootRect.y + local.y - localRect.y, local.width,
                  local.height};
  // Above a control that is drawn in the second pass nothing clips it.
  const uint32_t parentFlags = (flags & 1) && mParent->mLayout->clipToParent ? 1u : 0u;
  return mParent->InvalidateInRoot(root, parentFlags,
                                   Rect{local.x + at.x, local.y + at.y, local.width, local.height});
}

void LControl::InvalidateClientRect(const Rect& rect, bool shouldInvalidate) {
  Rect visible;
  if (!IntersectRects(rect, GetClientArea(), visible)) return;
  mClientUpdateRegion.AddRect(ToRegionRect(rect));
  if (!shouldInvalidate) return;
  // The content is shown at the client origin minus the scroll offset.
  const Rect client = GetClientOffsets(-1);
  Rect shown{rect.x - mScrollOffset.x + client.x, rect.y - mScrollOffset.y + client.y, rect.width,
             rect.height};
  if (IntersectRects(shown, client, shown)) Invalidate(shown, 1);
}

}  // namespace HV
