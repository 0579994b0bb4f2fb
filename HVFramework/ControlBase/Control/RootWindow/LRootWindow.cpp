#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"

#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Control/RootWindow/IDialogControl.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"
#include "HVFramework/ObjectBase/UIThread.h"

#include <algorithm>
#include <utility>

namespace HV {
namespace {

bool IsWithin(const LControl* control, const LControl* subtree) {
  for (; control; control = control->GetParent())
    if (control == subtree) return true;
  return false;
}

// A client point in the coordinates of a control of the tree.
LRootWindow::Point ToLocal(const LControl& control, const LRootWindow::Point& point) {
  const LControl::Point origin = control.GetOriginInRoot();
  return {point.x - RoundToInt32(origin.x), point.y - RoundToInt32(origin.y)};
}

// The layout's reference to the client area of the control's window.
constexpr int32_t kClientReference = 1;

// Larger than any desktop: a client size this large is cut only by a maximum.
constexpr int32_t kUnboundedClientSize = 32767;

bool SameLimit(const LLayoutSizeLimit& a, const LLayoutSizeLimit& b) {
  return a.hasNamedReference == b.hasNamedReference && a.referenceName == b.referenceName &&
         a.relative == b.relative && a.absolute == b.absolute;
}

}  // namespace

bool LRootWindow::IsFixedSizeLayout(const LLayoutDescriptor& layout) {
  bool hasMinimum = false;
  bool isEqual = true;
  bool areAllNamed = true;
  for (int axis : {LLayoutDescriptor::kX, LLayoutDescriptor::kY}) {
    const LLayoutSizeLimit& minimum = layout.minimum[axis];
    const LLayoutSizeLimit& maximum = layout.maximum[axis];
    hasMinimum |= minimum.relative != 0 || minimum.absolute != 0;
    isEqual &= SameLimit(minimum, maximum);
    areAllNamed &= minimum.hasNamedReference && maximum.hasNamedReference;
  }
  return (hasMinimum && isEqual) || areAllNamed;
}

RCPtr<LRootWindow> LRootWindow::Create(IOSWindowHost* host) {
  RCPtr<LRootWindow> window(new LRootWindow(host));
  // What is posted to the window reaches the window's own clients at idle
  // time. The self-reference is internal; Shutdown lets go of it.
  if (window->SetDistributor(RCPtr<LNotificationDistributor>(window.Get())) == S_OK)
    window->AddInternalReferences(1);
  return window;
}

LRootWindow::LRootWindow(IOSWindowHost* host) : mHost(host) {
  mHotKeys = LGlobalHotKeyManager::Create(GetPostingReceiver());
}

LRootWindow::~LRootWindow() { mHotKeys = nullptr; }

HResult LRootWindow::ReleaseInternalReferences() {
  UnregisterAllClients();
  mHost = nullptr;
  SetRootControl(nullptr);
  for (const WeakRCPtr<LControl>& link : std::vector<WeakRCPtr<LControl>>(mTopLevels))
    if (const RCPtr<LControl> control = link.Lock()) control->SetRootWindow(nullptr);
  Shutdown();
  return LRefCountedObject::ReleaseInternalReferences();
}

// --- The control tree ---

HResult LRootWindow::SetRootControl(const RCPtr<LControl>& control) {
  HV_ASSERT_UI_THREAD();
  if (const RCPtr<LControl> former = mRootControl) {
    // The former tree leaves: capture, hover and focus inside it end here.
    if (!former->GetParent() && former->GetRootWindow() == this) former->SetRootWindow(nullptr);
    mHotKeys->Clear();
  }
  for (WeakRCPtr<LControl>* link :
       {&mFocusControl, &mPreviousFocusControl, &mHoverControl, &mToolTipControl, &mCaptureControl})
    link->Reset();
  mRootControl = control;
  if (!control) return S_OK;
  if (const RCPtr<LStringTable> table = control->GetStringTable()) mHotKeys->Load(table, StringW(u"GHK"));
  if (!control->GetRootWindow()) control->SetRootWindow(this);
  // The root control fills the client area, from its origin: the window's
  // points, its painting and its controls' origins are client coordinates,
  // wherever the window is on the screen and however large the work area is.
  const RCPtr<LLayoutDescriptor>& layout = control->GetLayout();
  for (int axis : {LLayoutDescriptor::kX, LLayoutDescriptor::kY}) {
    layout->position[axis].referenceMode = kClientReference;
    layout->position[axis].relative = 0;
    layout->position[axis].absolute = 0;
    layout->size[axis] = LLayoutSize{kClientReference, {}, 1.0f, 0};
  }
  const Rect client = GetScreenRect();
  Relayout(client.width, client.height);
  if (!GetFocusControl() && mHost) {
    if (mHost->HasKeyboardFocus())
      control->SetFocus(true);
    else
      mHost->TakeKeyboardFocus();
  }
  InvalidateAll();
  // The desktop learns the new tree's size limits.
  if (mHost) mHost->OnRootControlChanged();
  return S_OK;
}

HResult LRootWindow::SetRootControlByName(const StringW& name) {
  if (name.IsEmpty()) return SetRootControl(nullptr);
  LControlFactory* factory = GetApplicationControlFactory();
  if (!factory) return E_FAIL;
  const RCPtr<LControlDescriptor> descriptor = factory->FindControlDescriptor(name);
  const RCPtr<LControl> control = descriptor ? factory->CreateControl(descriptor, nullptr) : nullptr;
  if (!control) return E_FAIL;
  return SetRootControl(control);
}

RCPtr<LControl> LRootWindow::ControlFromPoint(const Point& point, Point& local, bool updateHover) {
  RCPtr<LControl> found;
  if (const RCPtr<LControl> root = mRootControl) {
    LControl::Point inner;
    found = root->FindControlAtPoint({static_cast<double>(point.x), static_cast<double>(point.y)}, inner);
    if (found) local = {RoundToInt32(inner.x), RoundToInt32(inner.y)};
  }
  if (updateHover) SetHoverControl(found.Get());
  return found;
}

bool LRootWindow::ConstrainClientSize(int32_t& width, int32_t& height) {
  int32_t fitted[2] = {width, height};
  if (const RCPtr<LControl> root = mRootControl) {
    const LControl::Point size = root->ComputeTopLevelSize({double(width), double(height)});
    fitted[0] = RoundToInt32(size.x);
    fitted[1] = RoundToInt32(size.y);
  }
  fitted[0] = std::max(fitted[0], 1);
  fitted[1] = std::max(fitted[1], 1);
  const bool changed = fitted[0] != width || fitted[1] != height;
  width = fitted[0];
  height = fitted[1];
  return changed;
}

LRootWindow::ClientSizeLimits LRootWindow::GetClientSizeLimits() {
  ClientSizeLimits limits;
  const RCPtr<LControl> root = mRootControl;
  if (!root) return limits;
  ConstrainClientSize(limits.minimum.x, limits.minimum.y);
  Point largest{kUnboundedClientSize, kUnboundedClientSize};
  ConstrainClientSize(largest.x, largest.y);
  limits.maximum = {largest.x < kUnboundedClientSize ? largest.x : 0,
                    largest.y < kUnboundedClientSize ? largest.y : 0};
  limits.isFixed = IsFixedSizeLayout(root->ReadLayout()) || limits.minimum == limits.maximum;
  if (limits.isFixed) {
    // One size: the one the window has now, as the limits leave it.
    const Rect client = GetScreenRect();
    Point size{client.width, client.height};
    ConstrainClientSize(size.x, size.y);
    limits.minimum = limits.maximum = size;
  }
  return limits;
}

void LRootWindow::Relayout(int32_t width, int32_t height) {
  HV_ASSERT_UI_THREAD();
  const RCPtr<LControl> root = mRootControl;
  if (!root) return;
  root->SetRect({0, 0, static_cast<double>(width), static_cast<double>(height)});
  root->Relayout(width, height);
}

// --- Events ---

RCPtr<LControl> LRootWindow::FindTarget(const Point& point, Point& local) {
  if (LControl* capture = GetCaptureControl()) {
    local = ToLocal(*capture, point);
    return RCPtr<LControl>(capture);
  }
  return ControlFromPoint(point, local, true);
}

void LRootWindow::OnMouseButton(ButtonEvent kind, int32_t button, uint32_t modifiers, const Point& point,
                                int32_t pointer) {
  HV_ASSERT_UI_THREAD();
  if (!AcceptsInput()) return;
  const RCPtr<LRootWindow> self(this);
  if (point != GetMousePosition()) OnMouseMove(point, modifiers, pointer);
  HideToolTip();
  const uint32_t bit = static_cast<uint32_t>(button) & 7u;
  const bool recorded = pointer >= 0 && pointer < kPointerCount;
  if (kind == kRelease) {
    if (recorded) mButtonsByPointer[pointer] &= ~bit;
    // Only the capture holder hears of a release.
    const RCPtr<LControl> target(GetCaptureControl());
    if (!target) return;
    const Point local = ToLocal(*target, point);
    const bool doubleClick = (mDoubleClickButtons & bit) != 0;
    mDoubleClickButtons &= static_cast<uint8_t>(~bit);
    target->OnMouseUp(
        LMouseButtonParam::Create(button, local.x, local.y, modifiers, doubleClick, GetMouseButtons(), pointer));
    return;
  }
  if (recorded) mButtonsByPointer[pointer] |= bit;
  Point local;
  const RCPtr<LControl> target = FindTarget(point, local);
  if (!target || !LMouseButtonParam::IsButton(button)) return;
  const bool doubleClick = kind == kDoubleClickPress;
  if (doubleClick)
    mDoubleClickButtons |= static_cast<uint8_t>(bit);
  else
    mDoubleClickButtons &= static_cast<uint8_t>(~bit);
  target->OnMouseDown(
      LMouseButtonParam::Create(button, local.x, local.y, modifiers, doubleClick, GetMouseButtons(), pointer));
}

void LRootWindow::OnMouseMove(const Point& point, uint32_t modifiers, int32_t pointer) {
  HV_ASSERT_UI_THREAD();
  if (!AcceptsInput()) return;
  const RCPtr<LRootWindow> self(this);
  Point local;
  RCPtr<LControl> target = ControlFromPoint(point, local, true);
  if (LControl* capture = GetCaptureControl()) {
    target = RCPtr<LControl>(capture);
    local = ToLocal(*target, point);
  }
  if (target) target->OnMouseMove(LPointWithModifiersParam::Create(local.x, local.y, modifiers, pointer));
}

void LRootWindow::OnMouseWheel(const Point& point, uint32_t modifiers, int32_t direction) {
  HV_ASSERT_UI_THREAD();
  if (!AcceptsInput()) return;
  const RCPtr<LRootWindow> self(this);
  HideToolTip();
  Point local;
  const RCPtr<LControl> target = FindTarget(point, local);
  if (!target) return;
  const RCPtr<LMouseWheelParam> param = LMouseWheelParam::Create(point.x, point.y, modifiers, direction);
  const auto offer = [&param](LControl& control) {
    return param->IsVertical() ? control.OnVerticalWheel(param) : control.OnHorizontalWheel(param);
  };
  if (offer(*target) != S_FALSE) return;
  const RCPtr<LControl> focus(GetFocusControl());
  if (focus && focus.Get() != target.Get()) offer(*focus);
}

void LRootWindow::OnKey(const RCPtr<LKeyParam>& key) {
  HV_ASSERT_UI_THREAD();
  if (!key) return;
  const RCPtr<LRootWindow> self(this);
  HideToolTip();
  // Without a focus owner the root control takes the key, so that the hot
  // keys still work in a window where nothing can take the focus.
  LControl* const focus = GetFocusControl();
  const RCPtr<LControl> target = focus ? RCPtr<LControl>(focus) : mRootControl;
  if (target)
    target->OnKey(key);
  else if (HandleHotKey(key) == S_FALSE)
    if (LGlobalHotKeyManager* application = GetApplicationHotKeys()) application->HandleKey(key);
}

void LRootWindow::QueueKey(const RCPtr<LKeyParam>& key) {
  if (key) mKeyQueue.Enqueue(key);
}

bool LRootWindow::ProcessIdle(bool sendIdle) {
  HV_ASSERT_UI_THREAD();
  const RCPtr<LRootWindow> self(this);
  // One consumer: the count and the removal are separate steps.
  while (mKeyQueue.GetCount() != 0) OnKey(mKeyQueue.Dequeue());
  const bool more = ProcessNotifications(sendIdle);
  if (mEndModalPending && mHost) {
    mEndModalPending = false;
    mHost->EndModal(mModalResult);
  }
  return more;
}

// --- Interaction state ---

LControl* LRootWindow::FindToolTipOwner(LControl* control) const {
  for (LControl* owner = control; owner; owner = owner->GetParent()) {
    if (!owner->GetToolTipText().IsEmpty()) return owner;
    if (!owner->UsesParentToolTip()) return nullptr;
  }
  return nullptr;
}

LControl* LRootWindow::InWindow(const WeakRCPtr<LControl>& link) const {
  LControl* control = link.Get();
  return control && control->GetRootWindow() == this ? control : nullptr;
}

void LRootWindow::SetHoverControl(LControl* control) {
  HV_ASSERT_UI_THREAD();
  // While a control holds the capture only that control can be hovered.
  LControl* const capture = GetCaptureControl();
  if (capture && control != capture) control = nullptr;
  if (control == GetHoverControl()) return;
  LControl* owner = control && control != capture ? FindToolTipOwner(control) : nullptr;
  if (owner != GetToolTipControl()) {
    const RCPtr<LControl> formerOwner(GetToolTipControl());
    const RCPtr<LControl> newOwner(owner);
    mToolTipControl = owner;
    if (formerOwner) formerOwner->ShowToolTip(false);
    if (newOwner && mToolTipControl == owner) newOwner->ShowToolTip(true);
  }
  const RCPtr<LControl> former(GetHoverControl());
  const RCPtr<LControl> hovered(control);
  mHoverControl = control;
  // A former hover control that has left the tree is only dropped.
  if (former && (former->GetParent() || former->GetRootWindow() == this)) former->OnMouseLeave();
  if (hovered && mHoverControl == control) hovered->OnMouseEnter();
}

void LRootWindow::RecheckHover() {
  if (!mHost) return;
  Point local;
  ControlFromPoint(GetMousePosition(), local, true);
}

void LRootWindow::HideToolTip() {
  // The owner stays: its tip shows again only when the mouse comes back to it
  // from another control.
  if (const RCPtr<LControl> owner{GetToolTipControl()}) owner->ShowToolTip(false);
}

void LRootWindow::ClearFocusControl() {
  HV_ASSERT_UI_THREAD();
  mPreviousFocusControl = std::exchange(mFocusControl, nullptr);
}

HResult LRootWindow::SetCaptureControl(LControl* control) {
  HV_ASSERT_UI_THREAD();
  if (!control) return E_INVALIDARG;
  if (const RCPtr<LControl> former{GetCaptureControl()}; former && former.Get() != control)
    former->CancelMouseCapture();
  mCaptureControl = control;
  if (mHost) mHost->CaptureMouse();
  return S_OK;
}

HResult LRootWindow::ClearCaptureControl() {
  HV_ASSERT_UI_THREAD();
  mCaptureControl.Reset();
  if (mHost) mHost->ReleaseMouse();
  return S_OK;
}

void LRootWindow::CancelCapture() {
  if (const RCPtr<LControl> holder{GetCaptureControl()}) holder->CancelMouseCapture();
}

void LRootWindow::RestoreFocus() {
  if (GetFocusControl()) return;
  if (const RCPtr<LControl> previous{GetPreviousFocusControl()}) {
    previous->SetFocus(true);
    return;
  }
  if (const RCPtr<LControl> root = mRootControl) root->SetFocus(true);
}

void LRootWindow::OnWindowFocusLost() {
  SetHoverControl(nullptr);
  const RCPtr<LControl> root = mRootControl;
  if (!root) return;
  root->SetFocus(true);
  root->OnFocusLost();
}

void LRootWindow::CycleFocus(const RCPtr<LKeyParam>& key) {
  if (!mHost || !mHost->IsActive() || mHost->IsModal()) return;
  const bool backward = key && (key->GetKey().code & KeyCode::kShift) != 0;
  const int32_t count = GetApplicationRootWindowCount();
  if (count <= 1) {
    // The focus wraps round inside the window.
    const RCPtr<LControl> root = mRootControl;
    if (!root) return;
    root->OnFocusLost();
    root->SetFocus(!backward);
    return;
  }
  int32_t index = IndexOfApplicationRootWindow(this) + (backward ? -1 : 1);
  if (index < 0) index = count - 1;
  if (index >= count) index = 0;
  LRootWindow* next = GetApplicationRootWindowAt(index);
  if (next && next->mHost && !next->mHost->IsActive()) next->mHost->TakeKeyboardFocus();
}

void LRootWindow::EndInteractionIn(LControl& subtree) {
  HV_ASSERT_UI_THREAD();
  const RCPtr<LControl> keep(&subtree);
  if (const RCPtr<LControl> holder{GetCaptureControl()}; holder && IsWithin(holder.Get(), &subtree)) {
    holder->CancelMouseCapture();
    if (mCaptureControl == holder.Get()) ClearCaptureControl();
  }
  if (const RCPtr<LControl> hovered{GetHoverControl()}; hovered && IsWithin(hovered.Get(), &subtree)) {
    mHoverControl.Reset();
    hovered->OnMouseLeave();
  }
  // The tip, a child of its owner, leaves with it; should the owner come
  // back, the pointer reaching it shows the tip again.
  if (IsWithin(GetToolTipControl(), &subtree)) mToolTipControl.Reset();
  subtree.GiveUpFocus();
  // Giving up the focus leaves it as the previous focus: a subtree that
  // comes back later must not be handed back a focus it lost by leaving.
  for (WeakRCPtr<LControl>* link : {&mFocusControl, &mPreviousFocusControl})
    if (IsWithin(link->Get(), &subtree)) link->Reset();
}

void LRootWindow::AddTopLevel(LControl* control) {
  RemoveTopLevel(control);
  mTopLevels.emplace_back(control);
}

void LRootWindow::RemoveTopLevel(LControl* control) {
  // Controls that died linked are dropped on the way.
  std::erase_if(mTopLevels, [control](const WeakRCPtr<LControl>& link) { return !link.Get() || link == control; });
}

// --- Window services ---

uint32_t LRootWindow::GetMouseButtons() const { return mHost ? mHost->GetMouseButtons() : 0; }

uint32_t LRootWindow::GetModifiers() const { return mHost ? mHost->GetModifiers() : 0; }

LRootWindow::Point LRootWindow::GetMousePosition() const { return mHost ? mHost->GetMousePosition() : Point{}; }

CursorHandle LRootWindow::SetCursor(CursorHandle cursor) {
  if (!mHost) return 0;
  if (cursor == 0) cursor = mHost->GetCursorByName(StringW(u"UI_CURSOR_ARROW"));
  return mHost->SetCursor(cursor);
}

int32_t LRootWindow::HandleHotKey(const RCPtr<LKeyParam>& key) { return mHotKeys ? mHotKeys->HandleKey(key) : 1; }

HResult LRootWindow::EndModalLoop(int32_t result) {
  if (!mHost) return E_FAIL;
  mModalResult = result;
  mEndModalPending = true;
  return S_OK;
}

void LRootWindow::Close() {
  // A dialog closes as if cancelled, and may refuse.
  if (const RCPtr<LControl> root = mRootControl)
    if (IDialogControl* dialog = dynamic_cast<IDialogControl*>(root.Get())) {
      dialog->CloseDialog(kDialogCancel);
      return;
    }
  if (mHost) EndModalLoop(0);
}

LRootWindow::Rect LRootWindow::GetScreenRect() {
  if (mHost) mScreenRect = mHost->GetClientRect();
  return mScreenRect;
}

void LRootWindow::SetClientRect(const Rect& rect) {
  if (!mHost || mHost->GetClientRect() == rect) return;
  mHost->SetClientRect(rect);
  const Rect client = GetScreenRect();
  Relayout(client.width, client.height);
}

}  // namespace HV
