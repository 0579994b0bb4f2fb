#pragma once

#include "HVFramework/Utilities/Storage/ParamDescriptor.h"
#include "HVFramework/Utilities/Storage/ParamRange.h"
#include "HVFramework/Utilities/Storage/Variant.h"

namespace HV {

class ParamRanges;

// ParamDescriptors: the parameters whose values are wanted, as one packed
// list; each item is a list of the ID (signed 32-bit) and the descriptor.
class ParamDescriptors : public Variant {
 public:
  ParamDescriptors() = default;
  // The IDs of one range, each with an empty descriptor.
  explicit ParamDescriptors(const ParamRange& range);

  // One descriptor per ID of every range, in range order and ascending ID
  // order, each empty. Ranges that cannot be read or count 0 or less add
  // nothing. 0; E_INVALIDARG (list unchanged) when the IDs would run past the
  // largest ID or the list would be too large to write as one record.
  int32_t Set(const ParamRanges& ranges);
  // 0, or kParamMissing for a null array or count 0 (the list is then unchanged).
  int32_t Set(const ParamDescriptor* descriptors, uint32_t count);
  // 0; kParamMissing (id -1, descriptor empty) when there is no such item;
  // kParamWrongShape when the item is not a two-field list.
  int32_t GetParamDescriptor(uint32_t index, int32_t& id, Variant& descriptor) const;

  using Variant::Set;
};

}  // namespace HV
