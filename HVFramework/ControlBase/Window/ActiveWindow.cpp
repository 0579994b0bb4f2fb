#include "HVFramework/ControlBase/Window/ActiveWindow.h"

#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Window/OSWindow.h"

namespace HV {

LRootWindow* GetActiveRootWindow() {
  for (int32_t i = GetApplicationRootWindowCount() - 1; i >= 0; --i) {
    LRootWindow* window = GetApplicationRootWindowAt(i);
    if (window && window->GetHost() && window->GetHost()->IsActive()) return window;
  }
  return nullptr;
}

RCPtr<LControl> GetActiveFocusControl() {
  const LRootWindow* window = GetActiveRootWindow();
  return window ? RCPtr<LControl>(window->GetFocusControl()) : nullptr;
}

LFileDialog::Owner GetActiveDialogOwner(Platform::IWindowSystem& system) {
  if (const LRootWindow* window = GetActiveRootWindow())
    if (const auto* os = dynamic_cast<const OSWindow*>(window->GetHost()); os && !os->IsDestroyed())
      return os->GetDialogOwner();
  return {system, 0};
}

}  // namespace HV
