#include "HVFramework/ControlBase/Control/LControl.h"

#include "HVFramework/ObjectBase/Exception.h"

#include <stdexcept>

namespace HV {

RCPtr<LControl> LControl::GetEditTarget() {
  if (IsEditTarget()) return RCPtr<LControl>(this);
  return mParent ? mParent->GetEditTarget() : nullptr;
}

HResult LControl::PerformEdit(int32_t /*editKind*/) {
  Throw<std::logic_error>("LControl::PerformEdit must be overridden", HV_HERE("HV::LControl::PerformEdit"));
}

}  // namespace HV
