// The painting part of LRootWindow: the update region that invalidation
// fills and a paint empties, and the two-pass drawing of the control tree
// into it.
#include "HVFramework/ControlBase/Control/CAutoClip.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Renderer/LRenderContextInfo.h"
#include "HVFramework/Renderer/RegionRect.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"
#include "HVFramework/ObjectBase/UIThread.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace HV {
namespace {

RectT<double> ToDouble(const RectT<int32_t>& r) {
  return {double(r.x), double(r.y), double(r.width), double(r.height)};
}

// Where the children of parent are drawn in the window: its origin in the
// root window on whole pixels, plus its current look's client offset,
// minus its scroll offset.
PointT<double> ContentOriginInWindow(const LControl& parent) {
  const LControl::Point origin = parent.GetOriginInRoot();
  const LControl::Rect client = parent.GetClientOffsets(-1);
  const LControl::Point& scroll = parent.GetScrollOffset();
  return {RoundHalfAway(origin.x) + client.x - scroll.x, RoundHalfAway(origin.y) + client.y - scroll.y};
}

// The alpha factor a control's ancestors would have left it with: the
// product of their opacities.
float InheritedOpacity(const LControl& control) {
  float opacity = 1.0f;
  for (const LControl* ancestor = control.GetParent(); ancestor; ancestor = ancestor->GetParent())
    opacity *= ancestor->GetOpacity();
  return opacity;
}

}  // namespace

// --- The update region ---

bool LRootWindow::IntersectRect(Rect& out, const Rect& a, const Rect& b) {
  const int64_t left = std::max(a.x, b.x);
  const int64_t top = std::max(a.y, b.y);
  const int64_t right = std::min(int64_t{a.x} + a.width, int64_t{b.x} + b.width);
  const int64_t bottom = std::min(int64_t{a.y} + a.height, int64_t{b.y} + b.height);
  out = {static_cast<int32_t>(left), static_cast<int32_t>(top),
         static_cast<int32_t>(std::clamp<int64_t>(right - left, INT32_MIN, INT32_MAX)),
         static_cast<int32_t>(std::clamp<int64_t>(bottom - top, INT32_MIN, INT32_MAX))};
  return out.width >= 1 && out.height >= 1;
}

void LRootWindow::InvalidateRect(const Rect& rect) {
  const Rect screen = GetScreenRect();
  Rect inside;
  if (!IntersectRect(inside, rect, Rect{0, 0, screen.width, screen.height})) return;
  {
    std::lock_guard<std::mutex> lock(mRegionLock);
    mUpdateRegion.AddRect(RegionRect::FromRect(inside));
  }
  if (mHost) mHost->InvalidateRect(inside);
}

void LRootWindow::InvalidateAll() {
  {
    std::lock_guard<std::mutex> lock(mRegionLock);
    mInvalidateAllPending = true;
  }
  const Rect client = GetScreenRect();
  if (mHost) mHost->InvalidateRect({0, 0, client.width, client.height});
}

HResult LRootWindow::RedrawNow() {
  if (!mHost) return E_FAIL;
  const RCPtr<LRootWindow> self(this);
  mHost->RedrawNow();
  return S_OK;
}

LRectRegion LRootWindow::TakeUpdateRegion() {
  bool isAllPending = false;
  {
    std::lock_guard<std::mutex> lock(mRegionLock);
    isAllPending = std::exchange(mInvalidateAllPending, false);
  }
  if (isAllPending) {
    const Rect client = GetScreenRect();
    InvalidateRect({0, 0, client.width, client.height});
  }
  std::lock_guard<std::mutex> lock(mRegionLock);
  LRectRegion taken = std::move(mUpdateRegion);
  mUpdateRegion = LRectRegion();
  return taken;
}

// --- Drawing the tree ---

void LRootWindow::Paint(const LRectRegion& region) {
  HV_ASSERT_UI_THREAD();
  const RCPtr<LControl> root = mRootControl;
  if (!root || region.IsEmpty() || !mRenderer) return;
  const LRenderContextInfo* context = mRenderer->GetCurrentContext();
  if (!context || !context->CanDrawNow()) {
    InvalidateAll();
    return;
  }
  const LControl::Rect& area = root->GetRect();
  RectT<double> clip{area.x, area.y, area.width, area.height};
  RegionRect bounds;
  if (region.GetBounds(bounds))
    clip.Intersect(
        ToDouble({bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top}));
  const Rect screen = GetScreenRect();
  const RectT<double> client{0, 0, double(screen.width), double(screen.height)};
  mPaintClip = clip;
  const CAutoClip inClient(mRenderer, ClipSpec::ChildRect(client, clip, nullptr));
  // A root control has no parent to clip to: one whose skin says it does
  // not is drawn in the pass of its flag rather than not at all.
  DrawControl(root, region, !root->ReadLayout().clipToParent);
}

void LRootWindow::DrawControl(const RCPtr<LControl>& control, const LRectRegion& region,
                              bool isDeferredPass) {
  mDeferred.SetCount(0);
  control->Draw(mRenderer, region, mDeferred, isDeferredPass);
  // Drawing a deferred control refills the list: work on a copy.
  std::vector<RCPtr<LControl>> deferred;
  for (uint32_t i = 0; i < mDeferred.GetCount(); ++i) deferred.push_back(mDeferred.GetAt(i));
  mDeferred.SetCount(0);
  std::stable_sort(deferred.begin(), deferred.end(), [](const RCPtr<LControl>& a, const RCPtr<LControl>& b) {
    return a->ReadLayout().zOrder < b->ReadLayout().zOrder;
  });
  for (const RCPtr<LControl>& d : deferred) {
    const LControl* parent = d->GetParent();
    const PointT<double> origin = parent ? ContentOriginInWindow(*parent) : PointT<double>{};
    // Above the tree's clipping: the control's own rectangle within the
    // paint's clip, in its parent's content coordinates (target
    // coordinates for the position, as the current state may be a nested
    // deferred control's).
    const LControl::Rect& area = d->GetRect();
    RectT<double> clip{area.x, area.y, area.width, area.height};
    RectT<double> paintClip = mPaintClip;
    paintClip.Offset({-origin.x, -origin.y});
    clip.Intersect(paintClip);
    ClipSpec spec = ClipSpec::ChildRect({origin.x, origin.y, 0, 0}, clip, nullptr);
    spec.isRelative = false;
    const CAutoClip inParent(mRenderer, spec);
    if (LRenderContextInfo* context = mRenderer->GetCurrentContext())
      context->GetCurrentState().alphaFactor = InheritedOpacity(*d);
    DrawControl(d, region, true);
  }
}

}  // namespace HV
