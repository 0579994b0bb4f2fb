#pragma once

#include "HVFramework/Utilities/Storage/Variant.h"

#include <cstdint>

namespace HV {

// ParamDescriptor: a parameter named by its ID and a descriptor value (empty
// when the ID alone says which parameter is meant).
struct ParamDescriptor {
  explicit ParamDescriptor(int32_t id = 0) : paramID(id) {}

  int32_t paramID;
  Variant descriptor;
};

}  // namespace HV
