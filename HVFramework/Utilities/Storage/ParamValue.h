#pragma once

#include "HVFramework/Utilities/Storage/ParamDescriptor.h"

namespace HV {

// ParamValue: a parameter (ID and descriptor) with its value; a preset is an
// array of these.
struct ParamValue : ParamDescriptor {
  // A value not yet read names no parameter: its ID is -1.
  ParamValue() : ParamDescriptor(-1) {}
  using ParamDescriptor::ParamDescriptor;

  Variant value;
};

}  // namespace HV
