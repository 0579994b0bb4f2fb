#pragma once

#include "HVFramework/Utilities/Storage/ParamDescriptor.h"

namespace HV {

// ParamValue: a parameter (ID and descriptor) with its value; a preset is an
// array of these.
struct ParamValue : ParamDescriptor {
  using ParamDescriptor::ParamDescriptor;

  Variant value;
};

}  // namespace HV
