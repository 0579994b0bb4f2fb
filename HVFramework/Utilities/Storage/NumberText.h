#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

// Numbers as display text, in the "C" locale.

// The value as a fixed-point number with that many decimals: 12345 with 2
// gives 123.45, 5 with 2 gives .05 (no digit before the point), -5 with 2
// gives -.05; decimals <= 0 give the plain integer.
StringW IntToString(int32_t value, int32_t decimals);
StringW UIntToString(uint32_t value, int32_t decimals);
// "%lf" for negative decimals, else "%.<decimals>lf": (2.5, 2) gives 2.50.
StringW DoubleToString(double value, int32_t decimals);

}  // namespace HV
