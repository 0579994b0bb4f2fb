// Mouse input of a control: presses, capture, drags, clicks, the wheel walk
// and hit testing. The root window decides which control an event goes to;
// this is what the control does with it.
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/Platform/Core/Clock.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

namespace HV {
namespace {

// The condition bits of each button.
struct ButtonBits {
  int32_t button;
  uint32_t down;
  uint32_t drag;
};
constexpr ButtonBits kButtonBits[] = {
    {LMouseButtonParam::kLeft, LControl::kLeftDown, LControl::kLeftDrag},
    {LMouseButtonParam::kMiddle, LControl::kMiddleDown, LControl::kMiddleDrag},
    {LMouseButtonParam::kRight, LControl::kRightDown, LControl::kRightDrag},
};
constexpr uint32_t kAllDown = LControl::kLeftDown | LControl::kMiddleDown | LControl::kRightDown;
constexpr uint32_t kAllDrag = LControl::kLeftDrag | LControl::kMiddleDrag | LControl::kRightDrag;

const ButtonBits& BitsOf(int32_t button) {
  for (const ButtonBits& bits : kButtonBits)
    if (bits.button == button) return bits;
  return kButtonBits[0];  // callers check the button first
}

constexpr double kCoordinateLimit = 4503599627370496.0;  // 2^52
double ClampCoordinate(double value) { return std::clamp(value, -kCoordinateLimit, kCoordinateLimit); }

}  // namespace

// --- Enter, leave, press, move, release ---

HResult LControl::OnMouseEnter() {
  ChangeInteractionFlags(kMouseOver, 0);
  return S_OK;
}

HResult LControl::OnMouseLeave() {
  ChangeInteractionFlags(0, kMouseOver);
  return S_OK;
}

bool LControl::AcceptsInput() const {
  return IsVisible(true) && mLayout->enabled && (!mParent || mParent->IsEnabled(true));
}

HResult LControl::OnMouseDown(const RCPtr<LMouseButtonParam>& param) {
  if (!param || !LMouseButtonParam::IsButton(param->button)) return E_INVALIDARG;
  const RCPtr<LControl> self(this);
  // A press while another button holds the capture moves no focus and
  // restarts nothing.
  const bool wasCapturing = IsCapturing();
  if (!wasCapturing) {
    if (!AcceptsInput()) return S_FALSE;
    FocusOnMouseDown();
  }
  SetLastMousePosition(param->x, param->y);
  switch (param->button) {
    case LMouseButtonParam::kLeft:
      mLastLeftDown = param;
      OnLeftButtonDown(param);
      break;
    case LMouseButtonParam::kMiddle:
      OnMiddleButtonDown(param);
      break;
    default:
      OnRightButtonDown(param);
      break;
  }
  SendNotification(LNotification::Create(kNidMouseDown, param));
  if (!wasCapturing) StartMouseCapture(param->button, param->x, param->y);
  return S_OK;
}

void LControl::FocusOnMouseDown() {
  if (mNotFocusable || (mParent && !mFocusRoot && mParent->IsFocusSuppressed(true))) {
    if (mParent) mParent->RequestFocus(this);
    return;
  }
  SetFocus(true);
}

HResult LControl::RequestFocus(LControl* /*requester*/) {
  if (!mNotFocusable && (!mParent || mFocusRoot || !mParent->IsFocusSuppressed(true))) {
    SetFocus(true);
    return S_OK;
  }
  if (mParent) mParent->RequestFocus(this);
  return S_OK;
}

HResult LControl::StartMouseCapture(int32_t button, int32_t x, int32_t y) {
  if (!AcceptsInput() || IsCapturing()) return S_FALSE;
  LRootWindow* root = GetRootWindow();
  if (button != 0) {
    if (!LMouseButtonParam::IsButton(button)) return S_FALSE;
    if (!root || !(root->GetMouseButtons() & static_cast<uint32_t>(button))) return S_FALSE;
    const Point position = GetPositionInParent();
    mPressX = ClampCoordinate(x) + position.x;
    mPressY = ClampCoordinate(y) + position.y;
  }
  const RCPtr<LControl> self(this);
  // A new press ends the content's motion.
  StopScrollAnimation(0);
  StopScrollAnimation(1);
  mCaptureStartTime = mLastMoveTime = Platform::GetTickCount();
  mDragVelocity = {};
  if (root) root->SetCaptureControl(this);
  uint32_t set = kCapture;
  if (button != 0) set |= BitsOf(button).down;
  if (button == LMouseButtonParam::kLeft) {
    mDragMode = 0;
    if (mTickWhilePressed && !mPressTicking) {
      mPressTicking = true;
      StartIdleNotifications();
    }
  }
  ChangeInteractionFlags(set, 0);
  if (mDragThreshold != 0 || button == 0) return S_OK;
  // No threshold: the press is a drag at once.
  const ButtonBits& bits = BitsOf(button);
  ChangeInteractionFlags(bits.drag, bits.down);
  if (button == LMouseButtonParam::kLeft && mDragMode != 0)
    OnDrag(LPointWithModifiersParam::Create(x, y, 0));
  return S_OK;
}

HResult LControl::OnMouseMove(const RCPtr<LPointWithModifiersParam>& param) {
  if (!param) return E_INVALIDARG;
  const RCPtr<LControl> self(this);
  const uint32_t now = Platform::GetTickCount();
  SetLastMousePosition(param->x, param->y);
  if (const uint32_t pressed = mInteraction & kAllDown) {
    const Point position = GetPositionInParent();
    const int32_t pressX = RoundToInt32(mPressX - position.x);
    const int32_t pressY = RoundToInt32(mPressY - position.y);
    const int64_t dx = std::llabs(int64_t{param->x} - pressX);
    const int64_t dy = std::llabs(int64_t{param->y} - pressY);
    if (std::max(dx, dy) >= mDragThreshold) {
      // The drag starts where the button went down.
      OnMouseMove(LPointWithModifiersParam::Create(pressX, pressY, param->modifiers, param->pointer));
      uint32_t drag = 0;
      for (const ButtonBits& bits : kButtonBits) {
        if (pressed & bits.down) {
          drag = bits.drag;
          break;
        }
      }
      ChangeInteractionFlags(drag, kAllDown);
    }
  }
  OnMouseMoved(param);
  SendNotification(LNotification::Create(kNidMouseMove, param));
  if ((mInteraction & kLeftDrag) && mDragMode != 0) OnDrag(param);
  mLastMoveTime = now;
  return S_OK;
}

HResult LControl::OnMouseUp(const RCPtr<LMouseButtonParam>& param) {
  if (!param || !LMouseButtonParam::IsButton(param->button)) return E_INVALIDARG;
  if (!IsCapturing() && !AcceptsInput()) return S_FALSE;
  const RCPtr<LControl> self(this);
  SetLastMousePosition(param->x, param->y);
  const ButtonBits& bits = BitsOf(param->button);
  // A release outside the control is never a click; after a drag it is one
  // only while the control has no drag behaviour of its own.
  const bool isClick =
      IsMouseOver() && ((mInteraction & bits.down) || ((mInteraction & bits.drag) && mDragMode == 0));
  switch (param->button) {
    case LMouseButtonParam::kLeft:
      OnLeftButtonUp(param);
      if ((mInteraction & kLeftDrag) && mDragMode == 6) StartFling();
      break;
    case LMouseButtonParam::kMiddle:
      OnMiddleButtonUp(param);
      break;
    default:
      OnRightButtonUp(param);
      break;
  }
  SendNotification(LNotification::Create(kNidMouseUp, param));
  if (IsCapturing() && param->heldButtons == 0)
    CancelMouseCapture();
  else
    ChangeInteractionFlags(0, bits.down | bits.drag);  // other buttons keep the capture
  if (isClick && mLayout->enabled && (!mParent || mParent->IsEnabled(true))) OnClick(param);
  return S_OK;
}

HResult LControl::CancelMouseCapture() {
  if (!IsCapturing()) return S_FALSE;
  const RCPtr<LControl> self(this);
  mInteraction &= ~(kCapture | kAllDown | kAllDrag);
  HResult result = S_OK;
  if (LRootWindow* root = GetRootWindow(); root && root->GetCaptureControl() == this)
    result = root->ClearCaptureControl();
  UpdateConditions();
  mLastLeftDown = nullptr;
  // The press's idle request ends with it; otherwise every press would add
  // one that nothing takes back.
  if (std::exchange(mPressTicking, false)) StopIdleNotifications();
  return result;
}

HResult LControl::SetDragThreshold(int32_t pixels) {
  if (pixels < 0) return E_INVALIDARG;
  mDragThreshold = pixels;
  return S_OK;
}

// --- Clicks ---

HResult LControl::OnClick(const RCPtr<LMouseButtonParam>& param) {
  if (!param) return E_INVALIDARG;
  switch (param->button) {
    case LMouseButtonParam::kLeft:
      return OnLeftClick(param);
    case LMouseButtonParam::kMiddle:
      return OnMiddleClick(param);
    case LMouseButtonParam::kRight:
      return OnRightClick(param);
    default:
      return E_INVALIDARG;
  }
}

HResult LControl::OnLeftClick(const RCPtr<LMouseButtonParam>& param) {
  if (!param) return E_INVALIDARG;
  OnActivate(param);
  SendNotification(LNotification::Create(kNidLeftClick, param));
  return S_OK;
}

HResult LControl::OnMiddleClick(const RCPtr<LMouseButtonParam>& param) {
  if (!param) return E_INVALIDARG;
  PreMiddleClick(param);
  SendNotification(LNotification::Create(kNidMiddleClick, param));
  return S_OK;
}

HResult LControl::OnRightClick(const RCPtr<LMouseButtonParam>& param) {
  if (!param) return E_INVALIDARG;
  const RCPtr<LControl> self(this);
  PreRightClick(param);
  SendNotification(LNotification::Create(kNidRightClick, param));
  if (const RCPtr<LMenuDescriptor> menu = mContextMenu) ShowContextMenu(menu);
  return S_OK;
}

// --- Wheel ---

HResult LControl::OnMouseWheel(const RCPtr<LMouseWheelParam>& param) {
  if (!param) return -1;
  std::vector<RCPtr<LControl>> excluded;
  HResult result = S_FALSE;
  for (RCPtr<LControl> current(this); current;) {
    result = param->IsVertical() ? current->OnMouseWheelUpDown(param) : current->OnMouseWheelOther(param);
    if (result != S_FALSE) return result;
    bool clipped = true;
    for (const LControl* c = current.Get(); c; c = c->mParent) clipped = clipped && c->mLayout->clipToParent;
    if (clipped) {
      current = current->mParent;
      continue;
    }
    // Past a control drawn outside its parent the step goes to whatever
    // lies under the point once the controls tried so far are left out.
    excluded.push_back(current);
    LRootWindow* root = current->GetRootWindow();
    std::vector<std::unique_ptr<HitTestExclusionGuard>> guards;
    for (const RCPtr<LControl>& control : excluded)
      guards.push_back(std::make_unique<HitTestExclusionGuard>(control.Get()));
    LRootWindow::Point local;
    current = root ? root->ControlFromPoint({param->x, param->y}, local, false) : nullptr;
  }
  return result;
}

// --- Hit testing ---

bool LControl::ContainsPoint(const Point& point) const {
  const Point position = GetPositionInParent();
  const double x = ClampCoordinate(point.x) - position.x;
  const double y = ClampCoordinate(point.y) - position.y;
  return x >= 0 && x < mRect.width && y >= 0 && y < mRect.height;
}

namespace {

bool ClipsToParent(const LLayoutDescriptor* layout) { return !layout || layout->clipToParent; }

}  // namespace

// The point in this control's own coordinates and in its content area.
void LControl::MapPointInto(const Point& point, Point& inside, Point& content) const {
  const Point position = GetPositionInParent();
  inside = {point.x - position.x, point.y - position.y};
  const Rect client = GetClientOffsets(-1);
  content = {inside.x - client.x + mScrollOffset.x, inside.y - client.y + mScrollOffset.y};
}

// Controls that do not clip to their parent (an open drop-down list, a
// pop-up) are drawn after the whole tree, over everything, and may lie
// outside their parent: they are looked for first, wherever the point is.
RCPtr<LControl> LControl::FindNonClippingAtPoint(const Point& point, Point& local) {
  if (!IsVisible(false) || mNonClippingDescendants <= 0) return nullptr;
  Point inside, content;
  MapPointInto(point, inside, content);
  for (uint32_t i = mChildren.GetCount(); i-- > 0;) {
    const RCPtr<LControl>& child = mChildren.GetAt(i, ChildControlList::kZ);
    RCPtr<LControl> found = ClipsToParent(child->mLayout.Get()) ? child->FindNonClippingAtPoint(inside, local)
                                                                : child->FindControlAtPoint(inside, local);
    if (found) return found;
  }
  return nullptr;
}

RCPtr<LControl> LControl::FindControlAtPoint(const Point& point, Point& local) {
  if (!IsVisible(false)) return nullptr;
  if (RCPtr<LControl> found = FindNonClippingAtPoint(point, local)) return found;
  if (!ContainsPoint(point)) return nullptr;
  Point inside, content;
  MapPointInto(point, inside, content);
  // Children are placed in the content area: a cheap test against their
  // rectangles there skips the ones the point misses (ContainsPoint may
  // narrow a control's rectangle, never widen it). The z-order draws from
  // first to last, so the last child is on top.
  for (uint32_t i = mChildren.GetCount(); i-- > 0;) {
    const RCPtr<LControl>& child = mChildren.GetAt(i, ChildControlList::kZ);
    if (!ClipsToParent(child->mLayout.Get())) continue;  // looked for above
    const Rect& r = child->mRect;
    if (!(content.x >= r.x && content.x < r.x + r.width && content.y >= r.y && content.y < r.y + r.height)) continue;
    if (RCPtr<LControl> found = child->FindControlAtPoint(inside, local)) return found;
  }
  if (mExcludedFromHitTesting) return nullptr;
  local = inside;
  return RCPtr<LControl>(this);
}

LControl::HitTestExclusionGuard::HitTestExclusionGuard(LControl* control) : mControl(control) {
  if (mControl) mControl->SetExcludedFromHitTesting(true);
}

LControl::HitTestExclusionGuard::~HitTestExclusionGuard() {
  if (mControl) mControl->SetExcludedFromHitTesting(false);
}

// --- Cursor ---

void LControl::ApplyCursor() {
  if (LRootWindow* root = GetRootWindow()) mCursorBefore = root->SetCursor(mCursor);
}

}  // namespace HV
