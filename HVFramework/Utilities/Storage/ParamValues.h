#pragma once

#include "HVFramework/Utilities/Storage/ParamValue.h"
#include "HVFramework/Utilities/Storage/Variant.h"

namespace HV {

// ParamValues: parameter values as one packed list, the packet that the
// device link delivers and the root module applies; each item is a list of
// the value, the ID (signed 32-bit) and the descriptor. Shared between
// threads as LWrapper<ParamValues, LRefCountedObject>.
class ParamValues : public Variant {
 public:
  // 0, or kParamMissing for a null array or count 0 (the list is then unchanged).
  int32_t Set(const ParamValue* values, uint32_t count);
  // 0; kParamMissing (value empty, id -1) when there is no such item;
  // kParamWrongShape when the item is not a three-field list. The descriptor
  // is set only on success.
  int32_t GetParamValue(uint32_t index, Variant& value, int32_t& id, Variant& descriptor) const;

  using Variant::Set;
};

}  // namespace HV
