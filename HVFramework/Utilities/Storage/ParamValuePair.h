#pragma once

#include "HVFramework/Utilities/Storage/LPair.h"
#include "HVFramework/Utilities/Storage/ParamDescriptor.h"
#include "HVFramework/Utilities/Storage/StringT.h"
#include "HVFramework/Utilities/Storage/Variant.h"

namespace HV {

// The text form of a parameter, for pairs keyed by it: its ID in decimal.
StringW ParamDescriptorToString(const ParamDescriptor& descriptor);

// One parameter and its value as a counted object: the payload of a
// notification about a single value.
using LParamValuePair = LPair<ParamDescriptor, Variant, &ParamDescriptorToString>;

}  // namespace HV
