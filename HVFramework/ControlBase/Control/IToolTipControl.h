#pragma once

#include "HVFramework/ObjectBase/ResultCodes.h"

namespace HV {

// IToolTipControl: what the control base asks of the control it builds from
// the skin's "toolTip" description (the control library's tool tip). The
// control is a child of the control whose tip it shows. UI thread only.
class IToolTipControl {
 public:
  virtual ~IToolTipControl() = default;
  // Begins the wait before showing near the mouse. 0.
  virtual HResult Start() = 0;
  // Hides the tip and removes it from its parent. 0.
  virtual HResult Hide() = 0;
};

}  // namespace HV
