#pragma once

// The bytes of an element's value as the panels pass them to their editors
// and views, and back.

#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/Variant.h"

#include <cstdint>

namespace HV {

using ElementRecord = Array<signed char>;

// The value's bytes; none for a value that holds no bytes.
inline ElementRecord RecordFromValue(const Variant& value) {
  ElementRecord record;
  uint32_t size = 0;
  const auto* bytes = static_cast<const signed char*>(value.GetData(&size));
  if (!bytes) size = 0;
  record.SetCount(size);
  for (uint32_t i = 0; i < size; ++i) *record.GetItemPtr(i) = bytes[i];
  return record;
}

inline Variant ValueFromRecord(const ElementRecord& record) {
  Variant value;
  const uint32_t count = record.GetCount();
  if (count == 0) {
    value.SetBytes(nullptr, 0);
    return value;
  }
  value.SetBytes(record.GetItemPtr(0), count);
  return value;
}

inline uint32_t ValueLength(const Variant& value) {
  uint32_t size = 0;
  return value.GetData(&size) ? size : 0;
}

}  // namespace HV
