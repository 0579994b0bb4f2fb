#include "HVFramework/ControlBase/Window/OSWindowDispatcher.h"

#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/ControlBase/Window/OSWindow.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Platform/UI/IWindowSystem.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <vector>

namespace HV {
namespace {

// Where a control that was laid out nowhere is shown.
constexpr RectT<int32_t> kDefaultWindowRect{100, 100, 400, 300};

// The windows as they are now: handling one may make or destroy others.
std::vector<RCPtr<OSWindow>> Snapshot(const std::map<Platform::WindowId, RCPtr<OSWindow>>& windows) {
  std::vector<RCPtr<OSWindow>> list;
  list.reserve(windows.size());
  for (const auto& entry : windows) list.push_back(entry.second);
  return list;
}

}  // namespace

OSWindowDispatcher::OSWindowDispatcher(Platform::IWindowSystem& system) : mSystem(system), mLoop(system, *this) {}

OSWindowDispatcher::~OSWindowDispatcher() {
  for (const RCPtr<OSWindow>& window : Snapshot(mWindows)) window->Destroy();
}

CursorHandle OSWindowDispatcher::SetCursor(CursorHandle cursor) {
  const CursorHandle before = mCursor;
  if (cursor == mCursor) return before;
  mCursor = cursor;
  mSystem.SetCursor(CursorKindFromHandle(cursor));
  return before;
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
  const RCPtr<OSWindow> window = OSWindow::Create(*this, {control->GetName(), rect, false, StringW()});
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

OSWindow* OSWindowDispatcher::FindWindow(Platform::WindowId id) const {
  const auto found = mWindows.find(id);
  return found == mWindows.end() ? nullptr : found->second.Get();
}

RCPtr<OSWindow> OSWindowDispatcher::GetActiveWindow() const {
  for (const auto& [id, window] : mWindows)
    if (window->IsActive()) return window;
  return nullptr;
}

void OSWindowDispatcher::OnEvent(const Platform::WindowEvent& event) {
  if (OSWindow* window = FindWindow(event.window)) {
    const RCPtr<OSWindow> keep(window);
    keep->HandleEvent(event);
  }
}

void OSWindowDispatcher::PaintDirtyWindows() {
  for (const RCPtr<OSWindow>& window : Snapshot(mWindows))
    if (window->NeedsPaint()) window->Paint();
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
  return more;
}

}  // namespace HV
