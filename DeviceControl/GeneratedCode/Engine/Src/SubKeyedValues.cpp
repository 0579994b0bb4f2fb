#include "DeviceControl/GeneratedCode/Engine/Src/SubKeyedValues.h"

#include "HVFramework/Utilities/Storage/ParamListItems.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace SubKeyedValues {
namespace {

template <class T>
int Order(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

int CompareBytes(const HV::Variant& a, const HV::Variant& b) {
  uint32_t sizeA = 0;
  uint32_t sizeB = 0;
  const void* dataA = a.GetData(&sizeA);
  const void* dataB = b.GetData(&sizeB);
  const uint32_t common = std::min(sizeA, sizeB);
  if (common > 0) {
    if (const int order = std::memcmp(dataA, dataB, common); order != 0) return order < 0 ? -1 : 1;
  }
  return Order(sizeA, sizeB);
}

// The records of a slot; a negative result when it is not a readable list.
int32_t ReadRecords(const HV::Variant& slot, std::vector<HV::ParamValue>& records) {
  if (slot.IsEmpty()) return 0;
  if (slot.GetType() != HV::kVariantList) return HV::kParamWrongShape;
  HV::ParamValues list;
  list.Set(slot);
  const uint32_t count = list.GetListCount();
  records.resize(count);
  for (uint32_t i = 0; i < count; ++i) {
    HV::ParamValue& record = records[i];
    const int32_t result = list.GetParamValue(i, record.value, record.paramID, record.descriptor);
    if (result != 0) return result;
  }
  return 0;
}

bool IsBefore(const HV::ParamValue& record, const HV::ParamDescriptor& descriptor) {
  if (record.paramID != descriptor.paramID) return record.paramID < descriptor.paramID;
  return CompareSubKeys(record.descriptor, descriptor.descriptor) < 0;
}

bool Names(const HV::ParamValue& record, const HV::ParamDescriptor& descriptor) {
  return record.paramID == descriptor.paramID && record.descriptor == descriptor.descriptor;
}

}  // namespace

int CompareSubKeys(const HV::Variant& a, const HV::Variant& b) {
  if (a.GetType() != b.GetType()) return Order(a.GetType(), b.GetType());
  switch (a.GetType()) {
    case HV::kVariantEmpty:
      return 0;
    case HV::kVariantBool:
    case HV::kVariantInt8:
    case HV::kVariantInt16:
    case HV::kVariantInt32:
    case HV::kVariantInt64:
      return Order(a.GetInt64(), b.GetInt64());
    case HV::kVariantUInt8:
    case HV::kVariantUInt16:
    case HV::kVariantUInt32:
    case HV::kVariantUInt64:
      return Order(a.GetUInt64(), b.GetUInt64());
    case HV::kVariantFloat:
    case HV::kVariantDouble:
      return Order(a.GetDouble(), b.GetDouble());
    case HV::kVariantText: {
      const int order = std::strcmp(a.GetText(), b.GetText());
      return order < 0 ? -1 : (order > 0 ? 1 : 0);
    }
    default:
      return CompareBytes(a, b);
  }
}

int32_t Store(const HV::Variant& slot, const HV::ParamDescriptor& descriptor, const HV::Variant& value,
              HV::ParamValues& out) {
  std::vector<HV::ParamValue> records;
  if (const int32_t result = ReadRecords(slot, records); result < 0) return result;
  const auto place = std::find_if(records.begin(), records.end(), [&](const HV::ParamValue& record) {
    return !IsBefore(record, descriptor);
  });
  if (place != records.end() && Names(*place, descriptor)) {
    if (place->value == value) return 1;
    place->value = value;
  } else {
    HV::ParamValue record(descriptor.paramID);
    record.descriptor = descriptor.descriptor;
    record.value = value;
    records.insert(place, std::move(record));
  }
  return out.Set(records.data(), static_cast<uint32_t>(records.size()));
}

int32_t Find(const HV::Variant& slot, const HV::ParamDescriptor& descriptor, HV::Variant& out) {
  out.Clear();
  std::vector<HV::ParamValue> records;
  if (const int32_t result = ReadRecords(slot, records); result < 0) return result;
  for (const HV::ParamValue& record : records) {
    if (Names(record, descriptor)) {
      out = record.value;
      return 0;
    }
  }
  return 1;
}

}  // namespace SubKeyedValues
