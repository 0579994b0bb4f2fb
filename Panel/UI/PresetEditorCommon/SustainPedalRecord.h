#pragma once

// The sustain pedal's six bytes are a switch's ten-byte message record cut
// down to one value pair: bytes 0-4 are the record's bytes 0-4 and byte 5
// its last value (byte 9). Bytes 5-8 of the ten (the middle cycle slots)
// have no room here; both the edit panel and the tile fill them as an
// inc/dec record has them (1, 0, 1, 0), so a pedal set to Program Inc/Dec
// keeps its kind in the editor and in the tile alike.

#include "Panel/UI/OrvaneSeriesCommon/ButtonMessageRecord.h"
#include "Panel/UI/PresetEditorCommon/ElementRecord.h"

namespace HV::SustainPedalRecord {

inline constexpr uint32_t kLength = 6;
inline constexpr uint32_t kLastValue = 5;

// The ten-byte record of the pedal's six; another length is handed on unchanged.
inline ElementRecord ToButtonMessage(const ElementRecord& pedal) {
  if (pedal.GetCount() != kLength) return pedal;
  ElementRecord message;
  message.SetCount(ButtonMessageRecord::kLength);
  const signed char unusedSlots[] = {1, 0, 1, 0};
  for (uint32_t i = 0; i < ButtonMessageRecord::kSkipValue2; ++i)
    *message.GetItemPtr(i) = *pedal.GetItemPtr(i);
  for (uint32_t i = ButtonMessageRecord::kSkipValue2; i < ButtonMessageRecord::kLastValue; ++i)
    *message.GetItemPtr(i) = unusedSlots[i - ButtonMessageRecord::kSkipValue2];
  *message.GetItemPtr(ButtonMessageRecord::kLastValue) = *pedal.GetItemPtr(kLastValue);
  return message;
}

// The pedal's six bytes of a ten-byte record (bytes 0-4 and 9); another
// length is handed on unchanged.
inline ElementRecord FromButtonMessage(const ElementRecord& message) {
  if (message.GetCount() != ButtonMessageRecord::kLength) return message;
  ElementRecord pedal;
  pedal.SetCount(kLength);
  for (uint32_t i = 0; i < kLastValue; ++i) *pedal.GetItemPtr(i) = *message.GetItemPtr(i);
  *pedal.GetItemPtr(kLastValue) = *message.GetItemPtr(ButtonMessageRecord::kLastValue);
  return pedal;
}

}  // namespace HV::SustainPedalRecord
