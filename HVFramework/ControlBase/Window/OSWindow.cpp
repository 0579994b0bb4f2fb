#include "HVFramework/ControlBase/Window/OSWindow.h"

#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Window/OSWindowDispatcher.h"
#include "HVFramework/ControlBase/Window/WindowPlacement.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Utilities/Storage/Utf8Text.h"

#include <utility>

namespace HV {
namespace {

using Platform::WindowEvent;
using Platform::WindowEventKind;

constexpr uint32_t kButtonMask = 1 | 2 | 4;


RegionRect ToRegionRect(const RectT<int32_t>& rect) {
  return {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
}

// Where the window was closed; a window of fixed size takes only the
// position of its kept placement. Nothing when none was kept.
std::optional<RectT<int32_t>> FindKeptRect(IProfileStore* profile, const OSWindow::Spec& spec) {
  std::vector<uint8_t> record;
  if (!profile || spec.placementSection.IsEmpty() ||
      !profile->GetBinary(spec.placementSection, StringW(kPlacementValueName), record))
    return std::nullopt;
  const std::optional<RectT<int32_t>> kept = DecodePlacement(record);
  if (!kept || spec.isResizable) return kept;
  return RectT<int32_t>{kept->x, kept->y, spec.rect.width, spec.rect.height};
}

// A framed window is moved into the work area with its frame, which the
// desktop tells once the window exists (before it is shown).
void FitIntoWorkArea(Platform::IWindowSystem& system, Platform::WindowId window, OSWindow::Spec& spec) {
  if (spec.popup) return;
  const WindowSizing sizing = spec.isResizable ? WindowSizing::Resizable : WindowSizing::Fixed;
  const RectT<int32_t> fitted =
      PlaceWindowInWorkArea(spec.rect, system.GetFrameExtents(window), system.GetWorkArea(), sizing);
  if (fitted == spec.rect) return;
  spec.rect = fitted;
  system.SetWindowRect(window, fitted);
}

}  // namespace

RCPtr<OSWindow> OSWindow::Create(OSWindowDispatcher& dispatcher, const Spec& spec) {
  Spec placed = spec;
  if (const std::optional<Rect> kept = FindKeptRect(dispatcher.GetProfileStore(), spec)) placed.rect = *kept;
  Platform::WindowSpec native;
  native.title = ToUtf8(placed.title);
  native.rect = placed.rect;
  native.popup = placed.popup;
  native.owner = placed.owner;
  native.isResizable = placed.isResizable;
  native.kind = placed.kind;
  native.isModal = placed.isModal;
  Platform::IWindowSystem& system = dispatcher.GetWindowSystem();
  const Platform::WindowId id = system.CreateWindow(native);
  if (id == 0) return nullptr;
  FitIntoWorkArea(system, id, placed);
  RCPtr<OSWindow> window(new OSWindow(dispatcher, id, placed));
  dispatcher.AddWindow(*window);
  return window;
}

OSWindow::OSWindow(OSWindowDispatcher& dispatcher, Platform::WindowId window, const Spec& spec)
    : mDispatcher(dispatcher),
      mWindow(window),
      mPlacementSection(spec.placementSection),
      mIsResizable(spec.isResizable && !spec.popup) {
  mTarget.presenter = dispatcher.GetWindowSystem().GetPresenter(window);
}

// The dispatcher holds every window until it is destroyed, so none dies before.
OSWindow::~OSWindow() { HV_ASSERT(IsDestroyed()); }

// --- Renderer and root window ---

HResult OSWindow::CreateRenderer(int32_t type) {
  if (IsDestroyed()) return E_FAIL;
  const RCPtr<LRenderer> renderer = LRenderer::Create(type, GetClientRect(), &mTarget);
  if (!renderer) return E_FAIL;
  return SetRenderer(renderer);
}

HResult OSWindow::SetRenderer(const RCPtr<LRenderer>& renderer) {
  if (IsDestroyed() || !renderer) return E_FAIL;
  const Rect client = GetClientRect();
  RCPtr<LRenderContextInfo> context;
  const HResult made = renderer->InitRenderContextInfo({0, 0, client.width, client.height}, &mTarget, false, context);
  if (made != S_OK) return made;
  mRenderer = renderer;
  mRenderContext = context;
  if (!mRootWindow) {
    mRootWindow = LRootWindow::Create(this);
    AddApplicationRootWindow(mRootWindow.Get());
  }
  mRootWindow->SetRenderer(renderer);
  InvalidateRect({0, 0, client.width, client.height});
  return S_OK;
}

LFileDialog::Owner OSWindow::GetDialogOwner() const {
  return {mDispatcher.GetWindowSystem(), mWindow, &mDispatcher};
}

bool OSWindow::IsMainWindow() const {
  return mRootWindow && GetApplicationRootWindowCount() > 0 && GetApplicationRootWindowAt(0) == mRootWindow.Get();
}

void OSWindow::Destroy() {
  if (IsDestroyed()) return;
  const RCPtr<OSWindow> self(this);
  if (IsMainWindow()) SavePlacement();
  if (mIsModal) EndModal(0);
  DropSystemCapture();
  if (const RCPtr<LRootWindow> root = std::exchange(mRootWindow, nullptr)) {
    RemoveApplicationRootWindow(root.Get());
    root->SetRenderer(nullptr);
    root->ForgetHost();
  }
  mRenderContext = nullptr;
  mRenderer = nullptr;
  mTarget.presenter = nullptr;
  mPendingUpdate.Clear();
  mDispatcher.GetWindowSystem().DestroyWindow(mWindow);
  mWindow = 0;
  mDispatcher.RemoveWindow(*this);
}

void OSWindow::SavePlacement() {
  IProfileStore* profile = mDispatcher.GetProfileStore();
  if (!profile || mPlacementSection.IsEmpty()) return;
  profile->SetBinary(mPlacementSection, StringW(kPlacementValueName), EncodePlacement(GetClientRect()));
}

// --- Events ---

void OSWindow::HandleEvent(const WindowEvent& event) {
  if (IsDestroyed()) return;
  const RCPtr<OSWindow> self(this);
  switch (event.kind) {
    case WindowEventKind::MouseMove:
      return OnMouseMove(event);
    case WindowEventKind::MouseDown:
      return OnMouseDown(event);
    case WindowEventKind::MouseUp:
      return OnMouseUp(event);
    case WindowEventKind::Wheel:
      return OnWheel(event);
    case WindowEventKind::KeyDown:
    case WindowEventKind::KeyUp:
      return OnKey(event);
    case WindowEventKind::TextInput:
      return OnText(event);
    case WindowEventKind::FocusGained:
    case WindowEventKind::FocusLost:
      return OnFocus(event.kind == WindowEventKind::FocusGained);
    case WindowEventKind::Close:
      return OnClose();
    case WindowEventKind::Expose: {
      const Rect client = GetClientRect();
      return InvalidateRect({0, 0, client.width, client.height});
    }
    case WindowEventKind::Resize:
      return OnDesktopResize(event.width, event.height);
    case WindowEventKind::Wake:
    case WindowEventKind::Quit:
      return;
  }
}

void OSWindow::OnMouseDown(const WindowEvent& event) {
  const int32_t button = event.button & static_cast<int32_t>(kButtonMask);
  if (button == 0) return;
  mLastMousePoint = {event.x, event.y};
  if (!mRootWindow) return;
  if (!mRootWindow->GetFocusControl()) TakeKeyboardFocus();
  mHeldButtons |= static_cast<uint32_t>(button);
  if (mCaptureCount++ == 0 && !mHasSystemCapture) TakeSystemCapture();
  const auto kind = event.clicks >= 2 ? LRootWindow::kDoubleClickPress : LRootWindow::kPress;
  mRootWindow->OnMouseButton(kind, button, event.modifiers, mLastMousePoint, 0);
}

void OSWindow::OnMouseUp(const WindowEvent& event) {
  const int32_t button = event.button & static_cast<int32_t>(kButtonMask);
  if (button == 0) return;
  mHeldButtons &= ~static_cast<uint32_t>(button);
  mLastMousePoint = {event.x, event.y};
  if (!mRootWindow) return;
  // Let go of the capture when the last button comes up outside the window;
  // inside, it is kept until the pointer leaves with no button held.
  const bool letGo = mHeldButtons == 0 && mCaptureCount != 0 && !IsInClientArea(mLastMousePoint);
  const RCPtr<LRootWindow> root = mRootWindow;
  root->OnMouseButton(LRootWindow::kRelease, button, event.modifiers, mLastMousePoint, 0);
  if (letGo) DropSystemCapture();
}

void OSWindow::OnMouseMove(const WindowEvent& event) {
  mHeldButtons = static_cast<uint32_t>(event.button) & kButtonMask;
  mLastMousePoint = {event.x, event.y};
  if (mHasSystemCapture && mHeldButtons == 0 && !IsInClientArea(mLastMousePoint)) DropSystemCapture();
  if (mRootWindow) mRootWindow->OnMouseMove(mLastMousePoint, event.modifiers, 0);
}

void OSWindow::OnWheel(const WindowEvent& event) {
  const std::optional<int32_t> direction = mWheel.Add(event.delta, event.horizontal);
  if (!direction) return;
  mLastMousePoint = {event.x, event.y};
  if (mRootWindow) mRootWindow->OnMouseWheel(mLastMousePoint, event.modifiers, *direction);
}

void OSWindow::OnKey(const WindowEvent& event) {
  mKeyModifiers = event.modifiers;
  if (!mIsActive || !mRootWindow) return;
  const KeyTransition transition = event.kind == WindowEventKind::KeyDown ? KeyTransition::Down : KeyTransition::Up;
  const std::optional<KeyCode> key =
      MakeKeyCode(static_cast<uint32_t>(event.key), event.modifiers, transition, event.repeat);
  if (key) mRootWindow->OnKey(LKeyParam::Create(*key));
}

void OSWindow::OnText(const WindowEvent& event) {
  if (!mIsActive || !mRootWindow) return;
  const RCPtr<LRootWindow> root = mRootWindow;
  for (const KeyCode& key : MakeCharacterKeys(event.text, mKeyModifiers)) root->OnKey(LKeyParam::Create(key));
}

void OSWindow::OnFocus(bool isGained) {
  mIsActive = isGained;
  if (!mRootWindow) return;
  const RCPtr<LRootWindow> root = mRootWindow;
  if (isGained) {
    root->RestoreFocus();
    return;
  }
  // A window that loses the focus loses the mouse too: a drag in it ends.
  mKeyModifiers = 0;
  if (mHasSystemCapture) {
    DropSystemCapture();
    root->CancelCapture();
  }
  root->OnWindowFocusLost();
}

void OSWindow::OnResize(int32_t width, int32_t height) {
  if (mRenderContext) mRenderContext->SetViewport({0, 0, width, height});
  if (!mRootWindow) return;
  const RCPtr<LRootWindow> root = mRootWindow;
  root->Relayout(width, height);
  root->InvalidateAll();
}

void OSWindow::OnDesktopResize(int32_t width, int32_t height) {
  // A desktop without a window manager, or one that ignores the hints,
  // sizes windows freely: the size goes back within the limits.
  if (mRootWindow && mRootWindow->ConstrainClientSize(width, height)) {
    const Rect client = GetClientRect();
    mDispatcher.GetWindowSystem().SetWindowRect(mWindow, {client.x, client.y, width, height});
  }
  OnResize(width, height);
}

void OSWindow::OnRootControlChanged() {
  if (IsDestroyed() || !mRootWindow) return;
  const RCPtr<LRootWindow> root = mRootWindow;
  const LRootWindow::ClientSizeLimits limits = root->GetClientSizeLimits();
  Platform::SizeLimits native;
  native.minWidth = limits.minimum.x;
  native.minHeight = limits.minimum.y;
  native.maxWidth = limits.maximum.x;
  native.maxHeight = limits.maximum.y;
  native.isResizable = mIsResizable && !limits.isFixed;
  mDispatcher.GetWindowSystem().SetSizeLimits(mWindow, native);
  const Rect client = GetClientRect();
  int32_t width = client.width;
  int32_t height = client.height;
  if (root->ConstrainClientSize(width, height)) SetClientRect({client.x, client.y, width, height});
}

void OSWindow::OnClose() {
  if (!mRootWindow) return;
  if (IsMainWindow()) {
    const RCPtr<LNotificationCenter> center =
        GetNotificationCenterManager()->GetCenter(StringW(kApplicationNotificationCenterName));
    if (center) center->CreateAndPostNotification(kNidAppExitReq);
    return;
  }
  const RCPtr<LRootWindow> root = mRootWindow;
  root->Close();
}

// --- Mouse capture ---

void OSWindow::TakeSystemCapture() {
  mDispatcher.GetWindowSystem().SetCapture(mWindow);
  mHasSystemCapture = true;
}

void OSWindow::DropSystemCapture() {
  mCaptureCount = 0;
  if (!mHasSystemCapture) return;
  mHasSystemCapture = false;
  Platform::IWindowSystem& system = mDispatcher.GetWindowSystem();
  if (system.GetCapture() == mWindow) system.SetCapture(0);
}

bool OSWindow::IsInClientArea(const Point& point) const {
  const Rect client = GetClientRect();
  return point.x >= 0 && point.y >= 0 && point.x < client.width && point.y < client.height;
}

// --- Painting ---

void OSWindow::InvalidateRect(const Rect& rect) {
  const Rect client = GetClientRect();
  Rect clipped = rect;
  clipped.Intersect({0, 0, client.width, client.height});
  if (!clipped.IsEmpty()) mPendingUpdate.AddRect(ToRegionRect(clipped));
}

void OSWindow::RedrawNow() {
  const Rect client = GetClientRect();
  InvalidateRect({0, 0, client.width, client.height});
  Paint();
}

void OSWindow::Paint() {
  if (!mRootWindow || !mRenderer || !mRenderContext) {
    mPendingUpdate.Clear();
    return;
  }
  const RCPtr<LRootWindow> root = mRootWindow;
  const RCPtr<LRenderer> renderer = mRenderer;
  const RCPtr<LRenderContextInfo> context = mRenderContext;
  const RectT<int32_t> viewport = context->GetViewport();
  LRectRegion surface;
  surface.AddRect(ToRegionRect({0, 0, viewport.width, viewport.height}));
  // The framework's region first: taking it may invalidate (a pending whole
  // window), which lands in the desktop's region taken next.
  LRectRegion framework = root->TakeUpdateRegion();
  LRectRegion desktop = std::move(mPendingUpdate);
  mPendingUpdate = LRectRegion();
  // Nothing outside the window is drawn or presented.
  framework.Intersect(surface);
  LRectRegion& frame = context->GetUpdateRegion();
  frame.Clear();
  for (const RegionRect& r : framework.GetRects()) frame.AddRect(r);
  for (const RegionRect& r : desktop.GetRects()) frame.AddRect(r);
  frame.Intersect(surface);
  if (frame.IsEmpty()) return;
  renderer->RenderStart(context);
  // A frame of the whole window is drawn whole (the renderer starts it on a
  // fresh surface); otherwise only what the framework invalidated is drawn
  // and the desktop's part is shown again from the kept surface.
  const std::vector<RegionRect> rects = frame.GetRects();
  const bool isWhole = rects.size() == 1 && rects[0] == ToRegionRect({0, 0, viewport.width, viewport.height});
  try {
    root->Paint(isWhole ? frame : framework);
  } catch (...) {
    renderer->RenderFinish(context);
    throw;
  }
  renderer->RenderFinish(context);
}

// --- Host services ---

OSWindow::Rect OSWindow::GetClientRect() const {
  Rect rect;
  if (!IsDestroyed()) mDispatcher.GetWindowSystem().GetWindowRect(mWindow, rect);
  return rect;
}

void OSWindow::SetClientRect(const Rect& rect) {
  if (IsDestroyed() || rect.IsEmpty()) return;
  const Rect before = GetClientRect();
  mDispatcher.GetWindowSystem().SetWindowRect(mWindow, rect);
  if (before.width != rect.width || before.height != rect.height) OnResize(rect.width, rect.height);
}

void OSWindow::SetCaption(const StringW& caption) {
  if (IsDestroyed()) return;
  mDispatcher.GetWindowSystem().SetWindowTitle(mWindow, ToUtf8(caption));
}

bool OSWindow::SetIcon(const std::vector<Platform::WindowIconImage>& images) {
  return !IsDestroyed() && mDispatcher.GetWindowSystem().SetWindowIcon(mWindow, images);
}

OSWindow::Point OSWindow::ScreenToClient(const Point& point) const {
  const Rect client = GetClientRect();
  return {point.x - client.x, point.y - client.y};
}

OSWindow::Point OSWindow::ClientToScreen(const Point& point) const {
  const Rect client = GetClientRect();
  return {point.x + client.x, point.y + client.y};
}

bool OSWindow::Show(bool shouldShow) {
  if (IsDestroyed()) return false;
  Platform::IWindowSystem& system = mDispatcher.GetWindowSystem();
  const bool wasVisible = system.IsWindowVisible(mWindow);
  system.ShowWindow(mWindow, shouldShow);
  return wasVisible;
}

void OSWindow::TakeKeyboardFocus() {
  if (IsDestroyed() || mIsActive) return;
  mDispatcher.GetWindowSystem().ActivateWindow(mWindow);
}

CursorHandle OSWindow::SetCursor(CursorHandle cursor) { return mDispatcher.SetCursor(cursor); }

CursorHandle OSWindow::GetCursorByName(const StringW& name) const { return mDispatcher.GetCursorByName(name); }

// --- Modal loop ---

int32_t OSWindow::RunModal() {
  if (IsDestroyed() || mIsModal) return Platform::MessageLoop::kModalQuit;
  const RCPtr<OSWindow> self(this);
  // The window that had the keyboard gets it back when this one is gone.
  const RCPtr<OSWindow> owner = mDispatcher.GetActiveWindow();
  mIsModal = true;
  Show(true);
  // Without a window manager nobody else would give the dialog the keyboard.
  TakeKeyboardFocus();
  const int32_t result = mDispatcher.GetMessageLoop().RunModal(mWindow);
  mIsModal = false;
  Destroy();
  if (owner && owner != self && !owner->IsDestroyed())
    mDispatcher.GetWindowSystem().ActivateWindow(owner->GetWindowId());
  return result;
}

void OSWindow::EndModal(int32_t result) {
  const RCPtr<OSWindow> self(this);
  if (!mIsModal) {
    Destroy();
    return;
  }
  // The message loop ends only its innermost modal loop: while a window
  // opened above this one runs its own, the end waits for it.
  if (mDispatcher.GetMessageLoop().IsBlocked(mWindow)) {
    mPendingModalEnd = result;
    return;
  }
  mIsModal = false;
  mPendingModalEnd.reset();
  mDispatcher.GetMessageLoop().EndModal(result);
}

void OSWindow::EndPendingModal() {
  if (mPendingModalEnd && !mDispatcher.GetMessageLoop().IsBlocked(mWindow)) EndModal(*mPendingModalEnd);
}

}  // namespace HV
