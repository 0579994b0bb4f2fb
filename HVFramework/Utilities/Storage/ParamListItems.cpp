#include "HVFramework/Utilities/Storage/ParamListItems.h"

namespace HV::ParamListItems {

Variant Int32Field(int32_t value) {
  Variant field;
  field.Set(kVariantInt32, &value, sizeof value);
  return field;
}

int32_t Open(const Variant& list, uint32_t index, uint32_t fieldCount, Variant& item) {
  if (list.GetListItem(index, item) != 0) return kParamMissing;
  return item.GetType() == kVariantList && item.GetListCount() == fieldCount ? 0 : kParamWrongShape;
}

int32_t ReadInt32(const Variant& item, uint32_t index) {
  Variant field;
  item.GetListItem(index, field);
  return field.GetInt32();
}

}  // namespace HV::ParamListItems
