#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

// IDialogControl: a root control that closes as a dialog. When its window is
// closed from the desktop, the root window asks the dialog to close with
// result 2 (cancel) instead of ending the window's modal loop itself, so the
// dialog's observers can still refuse. Its window's title bar shows its
// caption. UI thread only.
class IDialogControl {
 public:
  virtual ~IDialogControl() = default;
  virtual void CloseDialog(int32_t result) = 0;
  virtual StringW GetCaption() const = 0;
};

}  // namespace HV
