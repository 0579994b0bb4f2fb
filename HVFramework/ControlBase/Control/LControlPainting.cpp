#include "HVFramework/ControlBase/Control/LControl.h"

namespace HV {

// Nothing collects invalidations until the control sits in a root window.
HResult LControl::Invalidate(const Rect& /*rect*/, uint32_t /*flags*/) { return S_OK; }

}  // namespace HV
