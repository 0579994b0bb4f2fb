#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"

HV::Variant MakeRecordValue(std::span<const uint8_t> record) {
  HV::Variant value;
  value.SetBytes(record.data(), static_cast<uint32_t>(record.size()));
  return value;
}

std::span<const uint8_t> GetRecordBytes(const HV::Variant& value) {
  uint32_t count = 0;
  const auto* data = static_cast<const uint8_t*>(value.GetData(&count));
  if (!data) return {};
  return {data, count};
}
