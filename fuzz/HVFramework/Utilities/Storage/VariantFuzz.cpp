// Feeds arbitrary bytes to the value record reader and the packed-list walk:
// first as one record, then as the block of a packed list whose items are
// read back one by one, also as parameter ranges, descriptors and values,
// and listed as text.
// Whatever is read must write back as a record that reads again to an equal
// value.
#include "HVFramework/Utilities/Storage/ParamDescriptors.h"
#include "HVFramework/Utilities/Storage/ParamListItems.h"
#include "HVFramework/Utilities/Storage/ParamRanges.h"
#include "HVFramework/Utilities/Storage/ParamValues.h"
#include "HVFramework/Utilities/Storage/Variant.h"
#include "HVFramework/Utilities/Storage/VariantEx.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void ReadEveryGetter(const HV::Variant& v) {
  volatile uint64_t sink = 0;
  sink = sink + v.GetBool() + static_cast<uint64_t>(v.GetInt8()) + v.GetUInt8() +
         static_cast<uint64_t>(v.GetInt16()) + v.GetUInt16() + static_cast<uint64_t>(v.GetInt32()) +
         v.GetUInt32() + static_cast<uint64_t>(v.GetInt64()) + v.GetUInt64();
  const double floating = static_cast<double>(v.GetFloat()) + v.GetDouble();
  (void)floating;
  uint32_t size = 0;
  v.GetData(&size);
  if (const char* text = v.GetText(); text && text[size - 1] != 0) std::abort();
}

void CheckRoundTrip(const HV::Variant& v) {
  uint32_t size = 0;
  v.GetData(&size);
  std::vector<uint8_t> record(12 + size);
  const int32_t written = v.Serialize(record.data(), static_cast<uint32_t>(record.size()));
  if (written != static_cast<int32_t>(record.size())) std::abort();
  HV::Variant again;
  if (HV::Failed(again.Deserialize(record.data(), static_cast<uint32_t>(written)))) std::abort();
  const bool floating = v.GetType() == HV::kVariantFloat || v.GetType() == HV::kVariantDouble;
  if (!floating && !(again == v)) std::abort();
}

// Reads every item of a list, and the items of its lists, a few levels deep.
void WalkList(const HV::Variant& list, int depth) {
  const uint32_t count = list.GetListCount();
  HV::Variant item;
  for (uint32_t i = 0; i < count; ++i) {
    if (list.GetListItem(i, item) != 0) std::abort();
    ReadEveryGetter(item);
    CheckRoundTrip(item);
    if (depth < 4) WalkList(item, depth + 1);
  }
  if (list.GetListItem(count, item) != -1 || !item.IsEmpty()) std::abort();
}

bool IsParamResult(int32_t result) {
  return result == 0 || result == HV::kParamMissing || result == HV::kParamWrongShape;
}

// Reads every item of list as each kind of parameter record.
void ReadParamRecords(const HV::Variant& list) {
  HV::ParamValues values;
  values.HV::Variant::Set(list);
  HV::ParamDescriptors descriptors;
  descriptors.HV::Variant::Set(list);
  HV::ParamRanges ranges;
  ranges.HV::Variant::Set(list);
  const uint32_t count = list.GetListCount();
  HV::Variant value;
  HV::Variant descriptor;
  int32_t id = 0;
  HV::ParamRange range;
  for (uint32_t i = 0; i <= count; ++i) {
    if (!IsParamResult(values.GetParamValue(i, value, id, descriptor))) std::abort();
    if (!IsParamResult(descriptors.GetParamDescriptor(i, id, descriptor))) std::abort();
    if (!IsParamResult(ranges.GetRange(i, range))) std::abort();
  }
  // Expanding the ranges is bounded by the list's own size limit, so cap
  // the work here by what a preset could ask for.
  uint64_t total = 0;
  for (uint32_t i = 0; i < count; ++i)
    if (ranges.GetRange(i, range) == 0 && range.count > 0) total += static_cast<uint32_t>(range.count);
  if (total <= 4096) {
    HV::ParamDescriptors expanded;
    if (expanded.Set(ranges) == 0 && expanded.GetListCount() != total) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x10000) return 0;
  const auto available = static_cast<uint32_t>(size);

  HV::Variant record;
  if (HV::Succeeded(record.Deserialize(data, available))) {
    ReadEveryGetter(record);
    CheckRoundTrip(record);
    WalkList(record, 0);
  }

  HV::Variant list;
  if (list.Set(HV::kVariantList, data, available) != HV::kVariantList) std::abort();
  WalkList(list, 0);
  ReadParamRecords(list);

  const HV::VariantEx readable(list);
  readable.GetValueText();
  HV::Array<HV::VariantEx> items;
  if (HV::VariantEx::ToArray(list, items) != HV::S_OK || items.GetCount() != list.GetListCount()) std::abort();
  for (uint32_t i = 0; i < items.GetCount(); ++i) items.GetItemPtr(i)->GetValueText();
  if (items.GetCount() > 1 && items.SwapItems(0, 0) != 0) std::abort();
  HV::VariantEx text;
  if (HV::Succeeded(text.Deserialize(data, available))) {
    text.GetValueText();
    text.GetInt64();
    text.GetDouble();
  }
  return 0;
}
