// Timed scroll motion of a control's content: an axis that runs moves the
// scroll offset at its velocity on every idle pass, between its bounds. A
// drag in mode 6 scrolls the content with the pointer and, released while
// still moving fast enough, goes on as such a motion (a fling).
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Control/LPointWithModifiersParam.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Platform/Core/Clock.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <algorithm>
#include <cmath>

namespace HV {
namespace {

constexpr double kUnbounded = 4503599627370496.0;  // 2^52
// A fling needs this speed (pixels per second) at the release...
constexpr double kFlingVelocity = 1000.0;
// ...and a move no longer than this before it (milliseconds); the velocity
// is measured over the same span.
constexpr uint32_t kFlingWindow = 100;

double& At(LControl::Point& point, int axis) { return axis == 0 ? point.x : point.y; }
double At(const LControl::Point& point, int axis) { return axis == 0 ? point.x : point.y; }

bool IsAxis(int32_t axis) { return axis == 0 || axis == 1; }

// The way an axis moves in `elapsed` seconds, in whole pixels (halves away
// from zero): a motion slower than half a pixel per pass never moves.
double WholeStep(double velocity, double elapsed) {
  const double product = velocity * elapsed;
  if (!(std::fabs(product) < kUnbounded)) return product;
  return static_cast<double>(static_cast<int64_t>(product < 0 ? product - 0.5 : product + 0.5));
}

}  // namespace

LControl::Rect LControl::GetScrollRange() const { return Rect{0, 0, kUnbounded, kUnbounded}; }

HResult LControl::StartScrollAnimation(int32_t axis, double velocity, double upperBound, double lowerBound,
                                       const RCPtr<LControl>& target) {
  if (!IsAxis(axis)) return E_INVALIDARG;
  ScrollMotion& motion = mScrollMotion[axis];
  motion.velocity = velocity;
  motion.upperBound = upperBound;
  motion.lowerBound = lowerBound;
  motion.target = target;
  if (!motion.running) {
    motion.running = true;
    motion.lastTime = Platform::GetSecondsSinceStart();
    StartIdleNotifications();
  }
  return S_OK;
}

HResult LControl::StopScrollAnimation(int32_t axis) {
  if (!IsAxis(axis)) return E_INVALIDARG;
  ScrollMotion& motion = mScrollMotion[axis];
  motion.target = nullptr;
  if (!motion.running) return S_FALSE;
  motion.running = false;
  StopIdleNotifications();
  return S_OK;
}

bool LControl::IsScrollAnimationRunning(int32_t axis) const { return IsAxis(axis) && mScrollMotion[axis].running; }

double LControl::GetScrollVelocity(int32_t axis) const { return IsAxis(axis) ? mScrollMotion[axis].velocity : 0; }

void LControl::AdvanceScrollMotion() {
  for (int axis = 0; axis < 2; ++axis) {
    ScrollMotion& motion = mScrollMotion[axis];
    if (!motion.running) continue;
    const double now = Platform::GetSecondsSinceStart();
    const double delta = WholeStep(motion.velocity, now - motion.lastTime);
    motion.lastTime = now;
    if (delta == 0) continue;
    Point offset = mScrollOffset;
    double& moved = At(offset, axis);
    moved += delta;
    if (moved < motion.lowerBound)
      moved = motion.lowerBound;
    else if (moved > motion.upperBound)
      moved = motion.upperBound;
    SetScrollOffset(offset);
    // The control under the pointer follows the content it is dragged over.
    const RCPtr<LControl> target = motion.target;
    LRootWindow* root = GetRootWindow();
    if (!target || !root) continue;
    const LRootWindow::Point mouse = root->GetMousePosition();
    const Point origin = target->GetOriginInRoot();
    target->OnDrag(LPointWithModifiersParam::Create(mouse.x - RoundToInt32(origin.x),
                                                    mouse.y - RoundToInt32(origin.y), 0));
  }
}

// --- Drag-scroll (drag mode 6) ---

// The content follows the pointer on the axes the drag constraints allow
// (1 x, 2 y), inside the scroll range.
void LControl::DragScrollTo(const Point& point) {
  const Rect range = GetScrollRange();
  Point offset = mScrollOffset;
  for (int axis = 0; axis < 2; ++axis) {
    if (!(mDragConstraints & (axis == 0 ? 1u : 2u))) continue;
    const double low = axis == 0 ? range.x : range.y;
    const double high = low + (axis == 0 ? range.width : range.height);
    const double wanted = At(mDragStartOwnScroll, axis) - (At(point, axis) - At(mDragGrab, axis));
    At(offset, axis) = std::clamp(wanted, low, std::max(low, high));
  }
  SetScrollOffset(offset);
  const uint32_t now = Platform::GetTickCount();
  mDragSamples.push_back({now, mScrollOffset});
  // Only the last stretch of the way counts for the velocity.
  const auto recent = std::find_if(mDragSamples.begin(), mDragSamples.end(),
                                   [now](const DragSample& sample) { return now - sample.tick <= kFlingWindow; });
  mDragSamples.erase(mDragSamples.begin(), recent);
}

void LControl::UpdateDragVelocity() {
  mDragVelocity = {};
  if (mDragSamples.size() < 2) return;
  const DragSample& first = mDragSamples.front();
  const DragSample& last = mDragSamples.back();
  const uint32_t span = last.tick - first.tick;
  if (span == 0) return;
  for (int axis = 0; axis < 2; ++axis)
    At(mDragVelocity, axis) = (At(last.offset, axis) - At(first.offset, axis)) * 1000.0 / span;
}

// At the release of a drag-scroll: a pointer that was still moving carries
// the content on.
void LControl::StartFling() {
  mReleaseTime = Platform::GetTickCount();
  if (mReleaseTime - mLastMoveTime >= kFlingWindow) return;
  UpdateDragVelocity();
  const Rect range = GetScrollRange();
  for (int axis = 0; axis < 2; ++axis) {
    if (!(mDragConstraints & (axis == 0 ? 1u : 2u))) continue;
    const double velocity = At(mDragVelocity, axis);
    if (std::fabs(velocity) < kFlingVelocity) continue;
    const double low = axis == 0 ? range.x : range.y;
    const double high = low + (axis == 0 ? range.width : range.height);
    StartScrollAnimation(axis, velocity, high, low, nullptr);
  }
}

}  // namespace HV
