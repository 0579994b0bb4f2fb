#pragma once

#include "HVFramework/Utilities/Storage/ParamRange.h"
#include "HVFramework/Utilities/Storage/Variant.h"

namespace HV {

// ParamRanges: blocks of consecutive parameter IDs as one packed list; each
// item is a list of two signed 32-bit values (first ID, count).
class ParamRanges : public Variant {
 public:
  // 0, or kParamMissing for a null array or count 0 (the list is then unchanged).
  int32_t Set(const ParamRange* ranges, uint32_t count);
  // 0; kParamMissing when there is no such range (out becomes first -1, count
  // 0); kParamWrongShape when the item is not a two-field list (out untouched).
  int32_t GetRange(uint32_t index, ParamRange& out) const;

  using Variant::Set;
};

}  // namespace HV
