#include "HVFramework/Controls/LToolTip.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Platform/Core/Clock.h"

#include <algorithm>

namespace HV {
namespace {

uint32_t gLastHideTime = 0;  // UI thread only

}  // namespace

RCPtr<LControl>& LToolTip::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                  const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LToolTip>(result, parent, descriptor);
}

HResult LToolTip::Register(LControlFactory& factory) {
  return factory.RegisterControlCreateFunction(StringW(kClassName), &LToolTip::Create);
}

uint32_t LToolTip::GetLastHideTime() { return gLastHideTime; }

void LToolTip::SetLastHideTime(uint32_t milliseconds) { gLastHideTime = milliseconds; }

HResult LToolTip::ApplyCreateParams() {
  SetNotFocusable(true);
  return S_OK;
}

HResult LToolTip::OnCreated() {
  SetVisible(false);
  return S_OK;
}

HResult LToolTip::Start() {
  if (LRootWindow* root = GetRootWindow()) {
    LLayoutSizeLimit maximum;
    // A maximum of 0 would mean none: a window narrower than the margin still limits.
    maximum.absolute = std::max(1.0, root->GetScreenRect().width - kWindowMargin);
    SetAxisSizeLimits(LLayoutDescriptor::kX, GetLayout()->minimum[LLayoutDescriptor::kX], maximum);
  }
  const bool wasHidden = mState == kHidden;
  const uint32_t now = Platform::GetTickCount();
  mStateTime = now;
  if (now - gLastHideTime < kQuickShowWindow)
    Show(now);
  else
    mState = kWaiting;
  if (wasHidden) StartIdleNotifications();
  return S_OK;
}

void LToolTip::Show(uint32_t now) {
  mState = kShown;
  mStateTime = now;
  Place();
  SetVisible(true);
}

HResult LToolTip::Hide() {
  const RCPtr<LControl> self(this);
  if (mState != kHidden) {
    mState = kHidden;
    StopIdleNotifications();
  }
  // Only a tip that was seen opens the window for the next one; IsVisible
  // holds the size test, so a tip squeezed to nothing does not.
  if (IsVisible(false)) gLastHideTime = Platform::GetTickCount();
  if (LControl* parent = GetParent()) parent->RemoveChildControl(self);
  return S_OK;
}

void LToolTip::OnIdleTick() {
  const uint32_t now = Platform::GetTickCount();
  if (mState == kWaiting && now - mStateTime > kShowDelay)
    Show(now);
  else if (mState == kShown && now - mStateTime > kShowTime)
    Hide();
}

void LToolTip::Place() {
  LRootWindow* root = GetRootWindow();
  if (!root || !GetParent()) return;
  const LRootWindow::Point mouse = root->GetMousePosition();
  const LRootWindow::Rect client = root->GetScreenRect();
  const Rect& rect = GetRect();
  // Where the parent's content origin (the origin of the rectangle) lies in the window.
  const Point origin = GetOriginInRoot();
  const double wanted[2] = {static_cast<double>(mouse.x), mouse.y + kPointerGap};
  const double sizes[2] = {rect.width, rect.height};
  const double limits[2] = {static_cast<double>(client.width), static_cast<double>(client.height)};
  const double shifts[2] = {origin.x - rect.x, origin.y - rect.y};
  const RCPtr<LLayoutDescriptor> layout = GetLayout();
  std::array<LLayoutPosition, 2> positions = layout->position;
  for (int axis = 0; axis < 2; ++axis) {
    double position = wanted[axis];
    if (position + sizes[axis] > limits[axis]) position = limits[axis] - sizes[axis];
    position = std::max(0.0, position);
    positions[axis] = LLayoutPosition{0, 1, StringW(), 0, position - shifts[axis]};
  }
  SetLayout(positions, layout->size, layout->docked);
}

}  // namespace HV
