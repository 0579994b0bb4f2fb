#include "HVFramework/ControlBase/Control/LControl.h"

namespace HV {

LControl::Rect LControl::GetClientOffsets(int32_t /*lookIndex*/) const {
  return Rect{0, 0, mRect.width, mRect.height};
}

}  // namespace HV
