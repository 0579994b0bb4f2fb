#include "HVFramework/Utilities/Storage/ParamDescriptors.h"

#include "HVFramework/Utilities/Storage/ParamListItems.h"
#include "HVFramework/Utilities/Storage/ParamRanges.h"
#include "HVFramework/Utilities/Storage/VariantRecord.h"

#include <limits>
#include <vector>

namespace HV {

namespace {

// Bytes one expanded item takes in the list: its header, the ID field's
// record and an empty descriptor's header.
constexpr uint64_t kExpandedItemSize = 3 * VariantRecordHeader::kSize + sizeof(int32_t);
constexpr uint64_t kMaxExpandedItems =
    (std::numeric_limits<int32_t>::max() - VariantRecordHeader::kSize) / kExpandedItemSize;

}  // namespace

ParamDescriptors::ParamDescriptors(const ParamRange& range) {
  ParamRanges ranges;
  ranges.Set(&range, 1);
  Set(ranges);
}

int32_t ParamDescriptors::Set(const ParamRanges& ranges) {
  std::vector<ParamRange> readable;
  uint64_t total = 0;
  const uint32_t rangeCount = ranges.GetListCount();
  for (uint32_t r = 0; r < rangeCount; ++r) {
    ParamRange range;
    if (ranges.GetRange(r, range) != 0 || range.count <= 0) continue;
    if (int64_t{range.first} + range.count - 1 > std::numeric_limits<int32_t>::max()) return E_INVALIDARG;
    total += static_cast<uint32_t>(range.count);
    if (total > kMaxExpandedItems) return E_INVALIDARG;
    readable.push_back(range);
  }
  // Items come range by range, ID by ID.
  size_t range = 0;
  int64_t step = 0;
  return ParamListItems::Pack(*this, static_cast<uint32_t>(total), 2, [&](uint32_t, Variant* fields) {
    if (step == readable[range].count) {
      ++range;
      step = 0;
    }
    fields[0] = ParamListItems::Int32Field(static_cast<int32_t>(readable[range].first + step++));
    fields[1].Clear();
  });
}

int32_t ParamDescriptors::Set(const ParamDescriptor* descriptors, uint32_t count) {
  if (!descriptors || count == 0) return kParamMissing;
  return ParamListItems::Pack(*this, count, 2, [descriptors](uint32_t i, Variant* fields) {
    fields[0] = ParamListItems::Int32Field(descriptors[i].paramID);
    fields[1] = descriptors[i].descriptor;
  });
}

int32_t ParamDescriptors::GetParamDescriptor(uint32_t index, int32_t& id, Variant& descriptor) const {
  descriptor.Clear();
  id = -1;
  Variant item;
  const int32_t result = ParamListItems::Open(*this, index, 2, item);
  if (result != 0) return result;
  id = ParamListItems::ReadInt32(item, 0);
  item.GetListItem(1, descriptor);
  return 0;
}

}  // namespace HV
