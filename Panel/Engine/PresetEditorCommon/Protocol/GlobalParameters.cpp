#include "Panel/Engine/PresetEditorCommon/Protocol/GlobalParameters.h"

#include "HVFramework/Utilities/Storage/StringT.h"

namespace HV::GlobalParameters {

int32_t FindNonPresetParameterIndex(std::u16string_view key) {
  for (size_t i = 0; i < kTable.size(); ++i)
    if (kTable[i].key == key) return static_cast<int32_t>(i);
  return -1;
}

std::u16string_view GetKey(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(kTable.size())) return {};
  return kTable[static_cast<size_t>(index)].key;
}

bool IsGlobalParameterValueValid(std::u16string_view key, int32_t value) {
  const int32_t index = FindNonPresetParameterIndex(key);
  if (index < 0) return false;
  const Row& row = kTable[static_cast<size_t>(index)];
  return value >= row.minimum && value <= row.maximum;
}

void GetNonPresetParameterNames(StringArrayW& names) {
  names.SetCount(0);
  for (const Row& row : kTable) names.AddItem(StringW(row.key.data(), static_cast<int32_t>(row.key.size())));
}

std::array<uint8_t, 2> EncodeValue(int32_t value) {
  return {static_cast<uint8_t>((value >> 7) & 0x7F), static_cast<uint8_t>(value & 0x7F)};
}

int32_t DecodeValue(uint8_t high, uint8_t low) { return high * 128 + low; }

}  // namespace HV::GlobalParameters
