#pragma once

#include "HVFramework/ControlBase/Skin/Menu/LMenuDescriptor.h"
#include "HVFramework/ObjectBase/ResultCodes.h"

namespace HV {

// IPopupMenuControl: what the control base asks of the control it builds
// from the skin's "contextMenu" description to show a context menu (the
// control library's pop-up menu). While no such class is registered a right
// click shows nothing. UI thread only.
class IPopupMenuControl {
 public:
  virtual ~IPopupMenuControl() = default;
  // The menu to show. 0.
  virtual HResult SetMenu(const RCPtr<LMenuDescriptor>& menu) = 0;
  // Opens the menu at the mouse position. 0.
  virtual HResult ShowAtMousePosition() = 0;
};

}  // namespace HV
