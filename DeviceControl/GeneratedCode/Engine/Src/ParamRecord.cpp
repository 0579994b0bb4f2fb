#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamLayout.h"

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

bool IsRecordOfLength(const HV::Variant& value, int32_t length) {
  return value.GetType() == HV::kVariantBytes && GetRecordBytes(value).size() == static_cast<size_t>(length);
}

bool IsValueForParam(int32_t firstParamID, int32_t paramID, const HV::Variant& value) {
  const std::optional<int32_t> length = FindRecordLength(RelativeParamID(paramID, firstParamID));
  return !length || IsRecordOfLength(value, *length);
}
