#include "HVFramework/ControlBase/Window/OSWindowDispatcher.h"

#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/RootWindow/IDialogControl.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/ControlBase/Window/OSWindow.h"
#include "HVFramework/ControlBase/Window/WindowInputTranslation.h"
#include "HVFramework/ControlBase/Window/WindowPlacement.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Notification/NotificationWakeHook.h"
#include "HVFramework/Notification/RuntimeNotificationNames.h"
#include "HVFramework/Platform/UI/IWindowSystem.h"
#include "HVFramework/System/RuntimeFaults.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <vector>

namespace HV {
namespace {

// Where a control that was laid out nowhere is shown.
constexpr RectT<int32_t> kDefaultWindowRect{100, 100, 400, 300};

// Whether the skin gives the control a range of sizes (limits that are not
// one size): only then does a dialog's frame size it.
bool HasSizeRangeInSkin(const LControl& control) {
  const RCPtr<LLayoutDescriptor>& layout = control.GetLayout();
  if (!layout || LRootWindow::IsFixedSizeLayout(*layout)) return false;
  const auto isSet = [](const LLayoutSizeLimit& limit) {
    return limit.hasNamedReference || limit.relative != 0 || limit.absolute != 0;
  };
  for (int axis : {LLayoutDescriptor::kX, LLayoutDescriptor::kY})
    if (isSet(layout->minimum[axis]) || isSet(layout->maximum[axis])) return true;
  return false;
}

// The windows as they are now: handling one may make or destroy others.
std::vector<RCPtr<OSWindow>> Snapshot(const std::map<Platform::WindowId, RCPtr<OSWindow>>& windows) {
  std::vector<RCPtr<OSWindow>> list;
  list.reserve(windows.size());
  for (const auto& entry : windows) list.push_back(entry.second);
  return list;
}

}  // namespace

OSWindowDispatcher::OSWindowDispatcher(Platform::IWindowSystem& system)
    : mSystem(system), mLoopThread(std::this_thread::get_id()), mLoop(system, *this) {
  NotificationWakeHook::Install(this, [this] { WakeForNotification(); });
}

OSWindowDispatcher::~OSWindowDispatcher() {
  // Once this returns no poster calls into the dispatcher any more.
  NotificationWakeHook::Remove(this);
  for (const RCPtr<OSWindow>& window : Snapshot(mWindows)) window->Destroy();
}

void OSWindowDispatcher::WakeForNotification() {
  mIsWorkPosted.store(true);
  if (std::this_thread::get_id() != mLoopThread) mSystem.Wake();
}

CursorHandle OSWindowDispatcher::SetCursor(CursorHandle cursor) {
  const CursorHandle before = mCursor;
  if (cursor == mCursor) return before;
  mCursor = cursor;
  const Platform::ImageCursorId image = ImageCursorFromHandle(cursor);
  if (image == 0 || !mSystem.SetImageCursor(image)) mSystem.SetCursor(CursorKindFromHandle(cursor));
  return before;
}

CursorHandle OSWindowDispatcher::GetCursorByName(const StringW& name) const {
  return mCursorSource ? mCursorSource(name) : CursorHandleFromName(name);
}

CursorHandle OSWindowDispatcher::AddImageCursor(const Platform::CursorImage& image) {
  return CursorHandleFromImage(mSystem.CreateImageCursor(image));
}

void OSWindowDispatcher::AddWindow(OSWindow& window) { mWindows[window.GetWindowId()] = RCPtr<OSWindow>(&window); }

void OSWindowDispatcher::RemoveWindow(const OSWindow& window) {
  for (auto it = mWindows.begin(); it != mWindows.end(); ++it)
    if (it->second.Get() == &window) {
      // The entry's reference may be the window's last: it goes after the erase.
      const RCPtr<OSWindow> keep = std::move(it->second);
      mWindows.erase(it);
      return;
    }
}

HResult OSWindowDispatcher::RunControlInRootWindow(const RCPtr<LControl>& control, bool modal) {
  if (!control || control->GetParent()) return E_FAIL;
  const LControl::Rect laid = control->GetRect();
  RectT<int32_t> rect{RoundToInt32(laid.x), RoundToInt32(laid.y), RoundToInt32(laid.width),
                      RoundToInt32(laid.height)};
  if (rect.IsEmpty()) rect = kDefaultWindowRect;
  // A dialog's caption is its own (else the control's label); it is a dialog
  // of the window it was opened from, centred over it, and keeps the size
  // its skin gave it.
  OSWindow::Spec spec;
  const auto* dialog = dynamic_cast<const IDialogControl*>(control.Get());
  spec.title = dialog ? dialog->GetCaption() : control->GetString(StringW(u"LABEL"));
  spec.owner = FindDialogOwner();
  spec.rect = rect;
  if (const OSWindow* owner = FindWindow(spec.owner))
    spec.rect = CentreOver(rect.width, rect.height, owner->GetClientRect());
  spec.isResizable = HasSizeRangeInSkin(*control);
  spec.kind = Platform::WindowKind::Dialog;
  spec.isModal = modal;
  const RCPtr<OSWindow> window = OSWindow::Create(*this, spec);
  if (!window) return E_FAIL;
  if (window->CreateRenderer(mRendererKind) != S_OK ||
      window->GetRootWindow()->SetRootControl(control) != S_OK) {
    window->Destroy();
    return E_FAIL;
  }
  if (modal) return window->RunModal();
  window->Show(true);
  return S_OK;
}

Platform::WindowId OSWindowDispatcher::FindDialogOwner() const {
  // The window whose modal loop runs takes no other window's input: what
  // opens now was opened from it, wherever the keyboard is.
  if (const Platform::WindowId modal = mLoop.GetModalWindow(); FindWindow(modal)) return modal;
  if (const RCPtr<OSWindow> active = GetActiveWindow()) return active->GetWindowId();
  return FindMainWindow();
}

Platform::WindowId OSWindowDispatcher::FindMainWindow() const {
  if (GetApplicationRootWindowCount() == 0) return 0;
  for (const auto& [id, window] : mWindows)
    if (window->GetRootWindow().Get() == GetApplicationRootWindowAt(0)) return id;
  return 0;
}

OSWindow* OSWindowDispatcher::FindWindow(Platform::WindowId id) const {
  const auto found = mWindows.find(id);
  return found == mWindows.end() ? nullptr : found->second.Get();
}

RCPtr<OSWindow> OSWindowDispatcher::GetActiveWindow() const {
  for (const auto& [id, window] : mWindows)
    if (window->IsActive()) return window;
  return nullptr;
}

// What a window's handlers throw ends the one event or paint, not the loop:
// the fault is reported and the program goes on with the next event.
void OSWindowDispatcher::OnEvent(const Platform::WindowEvent& event) {
  if (OSWindow* window = FindWindow(event.window)) {
    const RCPtr<OSWindow> keep(window);
    try {
      keep->HandleEvent(event);
    } catch (...) {
      ReportCurrentException("a window event");
    }
  }
}

void OSWindowDispatcher::PaintDirtyWindows() {
  for (const RCPtr<OSWindow>& window : Snapshot(mWindows)) {
    if (!window->NeedsPaint()) continue;
    try {
      window->Paint();
    } catch (...) {
      ReportCurrentException("a window's paint");
    }
  }
}

bool OSWindowDispatcher::OnIdle(int32_t count) {
  bool more = false;
  if (mIdleHandler) {
    more = mIdleHandler(count);
  } else {
    const bool isFirstPass = count == 0;
    more = GetNotificationCenterManager()->ProcessNotifications(isFirstPass);
    for (int32_t i = 0; i < GetApplicationRootWindowCount(); ++i)
      if (const RCPtr<LRootWindow> root = RCPtr<LRootWindow>(GetApplicationRootWindowAt(i)))
        more |= root->ProcessIdle(isFirstPass);
  }
  for (const RCPtr<OSWindow>& window : Snapshot(mWindows)) window->EndPendingModal();
  EndFinishedBlockingCall();
  TakeForwardedLines();
  return more;
}

void OSWindowDispatcher::OnSleepUntilEvent() {
  // An event already queued ends the sleep at once: no idle moment to tell of.
  if (mIdleObserver && !mSystem.WaitEvent(0)) mIdleObserver();
}

bool OSWindowDispatcher::IsTickWanted() const {
  return !mBlockingCalls.empty() || !mWaitingLines.empty() || IsIdleTimeAsked();
}

bool OSWindowDispatcher::IsIdleTimeAsked() const {
  // Idle work that only follows other work has its passes without the tick.
  const auto asksTicks = [](LRootWindow* root) {
    return root && root->HasClients(kNidIdle, LNotificationClient::kWithoutTicks);
  };
  for (const auto& [id, window] : mWindows)
    if (asksTicks(window->GetRootWindow().Get())) return true;
  // Root windows of the application without a window of the desktop idle too.
  for (int32_t i = 0; i < GetApplicationRootWindowCount(); ++i)
    if (asksTicks(GetApplicationRootWindowAt(i))) return true;
  return false;
}

// --- Blocking calls ---

void OSWindowDispatcher::RunBlockingCall(const std::function<void()>& call) {
  const std::unique_ptr<Platform::NativeThread> worker = Platform::NativeThread::CreateSuspended([this, &call] {
    call();
    mSystem.Wake();  // the loop's next idle pass sees the end
    return 0u;
  });
  if (!worker) return call();
  mBlockingCalls.push_back({worker.get(), mLoop.GetModalDepth() + 1});
  worker->Resume();
  mLoop.RunModal(0);
  mBlockingCalls.pop_back();
  // After a quit the loop is gone but the call still runs: it is waited for.
  worker->WaitForEnd(Platform::kInfinite);
}

void OSWindowDispatcher::EndFinishedBlockingCall() {
  if (mBlockingCalls.empty()) return;
  const BlockingCall& innermost = mBlockingCalls.back();
  // A loop opened above the call's (a dialog) ends first.
  if (mLoop.GetModalDepth() != innermost.modalDepth) return;
  if (innermost.thread->WaitForEnd(0) == Platform::kWaitObject0) mLoop.EndModal(0);
}

// --- Command lines of other instances ---

void OSWindowDispatcher::ReceiveOtherInstanceCommandLine(const std::string& commandLine) {
  if (mForwarded.Push(commandLine)) mSystem.Wake();
}

void OSWindowDispatcher::TakeForwardedLines() {
  std::deque<std::string> arrived = mForwarded.TakeAll();
  if (!arrived.empty()) BringProgramForward();
  for (std::string& line : arrived)
    if (mWaitingLines.size() < Platform::ForwardedLineQueue::kMaxWaitingLines)
      mWaitingLines.push_back(std::move(line));
  // A handler that opens a dialog runs its loop: the lines after it wait for its end.
  while (!mWaitingLines.empty() && mLoop.GetModalDepth() == 0) {
    const StringW line(mWaitingLines.front().c_str());
    mWaitingLines.pop_front();
    if (mOtherInstanceHandler) mOtherInstanceHandler(line);
  }
}

void OSWindowDispatcher::BringProgramForward() {
  // The main window first, restored when minimised (its dialogs went with
  // it), then the innermost modal window above it.
  const Platform::WindowId main = FindMainWindow();
  if (main != 0) mSystem.ActivateWindow(main);
  const Platform::WindowId modal = mLoop.GetModalWindow();
  if (modal != 0 && modal != main) mSystem.ActivateWindow(modal);
}

}  // namespace HV
