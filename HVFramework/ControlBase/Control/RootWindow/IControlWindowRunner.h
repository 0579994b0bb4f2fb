#pragma once

#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/ObjectBase/RCPtr.h"

namespace HV {

class LControl;

// IControlWindowRunner: how the application shows a control without parent
// in a root window of its own (a dialog). The application's window layer
// implements it: it makes the root window and its OS window, sets the
// control as the root control and shows it; a modal run returns only when
// the window's EndModalLoop ended its modal loop, with the result given
// there. User-interface thread only.
class IControlWindowRunner {
 public:
  virtual ~IControlWindowRunner() = default;
  // The modal loop's result; E_FAIL when no root window could be made.
  virtual HResult RunControlInRootWindow(const RCPtr<LControl>& control, bool modal) = 0;
};

}  // namespace HV
