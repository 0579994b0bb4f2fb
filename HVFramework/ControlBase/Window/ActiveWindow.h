#pragma once

// The application's active window, for the services that act on it: the
// clipboard's edit commands go to its focused control, file dialogs show
// their messages over it. UI thread only.

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Platform/UI/IWindowSystem.h"
#include "HVFramework/ControlBase/SystemUI/LFileDialog.h"

namespace HV {

// The last of the application's root windows whose OS window is active; null
// when none is.
LRootWindow* GetActiveRootWindow();
// The control that has the focus in the active window; null without one.
// This is the clipboard's focus source (LClipboard::SetFocusSource).
RCPtr<LControl> GetActiveFocusControl();
// The active window as the owner of a file dialog; without an active OS
// window, no owner (message boxes stand alone).
LFileDialog::Owner GetActiveDialogOwner(Platform::IWindowSystem& system);

}  // namespace HV
