#pragma once

// The value types of the device model: a parameter value (HV::Variant) and the
// name of a parameter (HV::ParamDescriptor). The model reaches a value's bytes
// only through ParamRecord.h.
#include "HVFramework/Utilities/Storage/ParamDescriptor.h"
#include "HVFramework/Utilities/Storage/Variant.h"
