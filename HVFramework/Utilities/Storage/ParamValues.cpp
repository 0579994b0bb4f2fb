#include "HVFramework/Utilities/Storage/ParamValues.h"

#include "HVFramework/Utilities/Storage/ParamListItems.h"

namespace HV {

int32_t ParamValues::Set(const ParamValue* values, uint32_t count) {
  if (!values || count == 0) return kParamMissing;
  return ParamListItems::Pack(*this, count, 3, [values](uint32_t i, Variant* fields) {
    fields[0] = values[i].value;
    fields[1] = ParamListItems::Int32Field(values[i].paramID);
    fields[2] = values[i].descriptor;
  });
}

int32_t ParamValues::GetParamValue(uint32_t index, Variant& value, int32_t& id, Variant& descriptor) const {
  value.Clear();
  id = -1;
  Variant item;
  const int32_t result = ParamListItems::Open(*this, index, 3, item);
  if (result != 0) return result;
  item.GetListItem(0, value);
  id = ParamListItems::ReadInt32(item, 1);
  item.GetListItem(2, descriptor);
  return 0;
}

}  // namespace HV
