#pragma once

#include "HVFramework/Utilities/Storage/ParamValues.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace HV::Test {

// The data of a packed list of parameter values, as the device-control
// library hands it over: one (value, ID, empty descriptor) item per entry.
inline std::vector<uint8_t> PacketData(const std::vector<std::pair<int32_t, Variant>>& entries) {
  std::vector<ParamValue> values;
  for (const auto& [id, value] : entries) {
    ParamValue record(id);
    record.value = value;
    values.push_back(record);
  }
  ParamValues list;
  list.Set(values.data(), static_cast<uint32_t>(values.size()));
  uint32_t size = 0;
  const auto* data = static_cast<const uint8_t*>(std::as_const(list).GetData(&size));
  return data ? std::vector<uint8_t>(data, data + size) : std::vector<uint8_t>();
}

// The data of a packed list of plain values (device identifiers).
inline std::vector<uint8_t> ListData(const std::vector<Variant>& items) {
  Variant list;
  list.SetList(items.data(), static_cast<uint32_t>(items.size()));
  uint32_t size = 0;
  const auto* data = static_cast<const uint8_t*>(std::as_const(list).GetData(&size));
  return data ? std::vector<uint8_t>(data, data + size) : std::vector<uint8_t>();
}

}  // namespace HV::Test
