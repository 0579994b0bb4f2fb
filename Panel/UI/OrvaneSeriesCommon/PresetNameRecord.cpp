#include "Panel/UI/OrvaneSeriesCommon/PresetNameRecord.h"

namespace HV::PresetNameRecord {

ElementRecord FromText(const StringW& text) {
  ElementRecord record;
  record.SetCount(kLength);
  const StringW upper = text.ToUpper();
  for (int32_t i = 0; i < static_cast<int32_t>(kLength) && i < upper.GetLength(); ++i) {
    const char16_t c = upper[i];
    *record.GetItemPtr(static_cast<uint32_t>(i)) = c == u' ' ? kBlank : static_cast<signed char>(c & 0xFF);
  }
  return record;
}

StringW ToText(const ElementRecord& record) {
  StringW text;
  for (uint32_t i = 0; i < record.GetCount(); ++i) {
    const auto byte = static_cast<uint8_t>(*record.GetItemPtr(i));
    if (byte == 0) break;
    text += byte == static_cast<uint8_t>(kBlank) ? u' ' : static_cast<char16_t>(byte);
  }
  return text;
}

}  // namespace HV::PresetNameRecord
