#pragma once

#include "HVFramework/ControlBase/SystemUI/LClipboard.h"

namespace HV {

// The application's one clipboard service, for the controls that cut, copy
// and paste (the text box). The application sets it at start-up and clears
// it at shut-down (tests set their own); null while there is none. UI
// thread only.
const RCPtr<LClipboard>& GetApplicationClipboard();
void SetApplicationClipboard(const RCPtr<LClipboard>& clipboard);

}  // namespace HV
