#pragma once

#include "HVFramework/Utilities/Storage/Variant.h"

#include <cstdint>
#include <vector>

namespace HV {

// Results of the parameter records beside 0 (success).
inline constexpr int32_t kParamMissing = -4;     // no input, or an index past the end
inline constexpr int32_t kParamWrongShape = -7;  // an item that is not a list of the expected fields

// The packing shared by ParamRanges, ParamDescriptors and ParamValues: a list
// whose every item is itself a list of a fixed number of fields.
namespace ParamListItems {

// Packs count items into list; fill(i, fields) sets the fieldCount fields of
// item i. Returns 0, or kParamMissing when the list could not be made (too
// large or no memory), leaving it as it was.
template <class Fill>
int32_t Pack(Variant& list, uint32_t count, uint32_t fieldCount, Fill fill) {
  std::vector<Variant> items(count);
  std::vector<Variant> fields(fieldCount);
  std::vector<const Variant*> fieldPointers;
  for (const Variant& field : fields) fieldPointers.push_back(&field);
  for (uint32_t i = 0; i < count; ++i) {
    fill(i, fields.data());
    if (items[i].SetList(fieldPointers.data(), fieldCount) != kVariantList) return kParamMissing;
  }
  Variant packed;
  if (packed.SetList(items.data(), count) != kVariantList) return kParamMissing;
  list.Set(packed);
  return list.GetType() == kVariantList ? 0 : kParamMissing;
}

// A signed 32-bit field (tag 6).
Variant Int32Field(int32_t value);

// Reads item index of list into item: 0, kParamMissing when list has no such
// item, kParamWrongShape when the item is not a list of fieldCount records.
int32_t Open(const Variant& list, uint32_t index, uint32_t fieldCount, Variant& item);

// Field index of an opened item, read as a signed 32-bit integer.
int32_t ReadInt32(const Variant& item, uint32_t index);

}  // namespace ParamListItems
}  // namespace HV
