#pragma once

#include <cstdint>

namespace HV {

// ParamRange: a block of consecutive parameter IDs, first to first + count - 1.
struct ParamRange {
  int32_t first = -1;
  int32_t count = 0;
};

}  // namespace HV
