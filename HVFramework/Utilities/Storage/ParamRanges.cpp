#include "HVFramework/Utilities/Storage/ParamRanges.h"

#include "HVFramework/Utilities/Storage/ParamListItems.h"

namespace HV {

int32_t ParamRanges::Set(const ParamRange* ranges, uint32_t count) {
  if (!ranges || count == 0) return kParamMissing;
  return ParamListItems::Pack(*this, count, 2, [ranges](uint32_t i, Variant* fields) {
    fields[0] = ParamListItems::Int32Field(ranges[i].first);
    fields[1] = ParamListItems::Int32Field(ranges[i].count);
  });
}

int32_t ParamRanges::GetRange(uint32_t index, ParamRange& out) const {
  Variant item;
  const int32_t result = ParamListItems::Open(*this, index, 2, item);
  if (result == kParamMissing) out = ParamRange{-1, 0};
  if (result != 0) return result;
  out.first = ParamListItems::ReadInt32(item, 0);
  out.count = ParamListItems::ReadInt32(item, 1);
  return 0;
}

}  // namespace HV
