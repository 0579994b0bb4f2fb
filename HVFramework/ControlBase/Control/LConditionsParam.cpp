#include "HVFramework/ControlBase/Control/LConditionsParam.h"

#include <cstdio>

namespace HV {

StringW LConditionsParam::ToString() const {
  char text[64];
  std::snprintf(text, sizeof text, "(%g, %g)", x, y);
  return StringW(text);
}

}  // namespace HV
