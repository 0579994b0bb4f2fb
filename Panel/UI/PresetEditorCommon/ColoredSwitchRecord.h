#pragma once

// The records of the keyboard's lit switches, push buttons and pads: the
// ten-byte button message spread over bytes 0 and 5-13, four colours in
// bytes 1-4, and for push buttons three HID bytes after them.

#include "Panel/UI/OrvaneSeriesCommon/ButtonMessageRecord.h"
#include "Panel/UI/PresetEditorCommon/ElementRecord.h"

#include <cstdint>

namespace HV::ColoredSwitchRecord {

inline constexpr uint32_t kPadLength = 14;
inline constexpr uint32_t kPushButtonLength = 17;

inline constexpr uint32_t kMidiChannel = 0;
inline constexpr uint32_t kColor1 = 1;  // colours 1 to 4 in bytes 1 to 4
inline constexpr uint32_t kColorCount = 4;
inline constexpr uint32_t kFirstMessageByte = 5;  // message bytes 1-9 in bytes 5-13
inline constexpr uint32_t kHidColor = 14;
inline constexpr uint32_t kHidKey = 15;
inline constexpr uint32_t kHidModifier = 16;

// Colour counts of the indicators' look lists and the colour lists.
inline constexpr int32_t kPushButtonColors = 8;  // Off, Green ... White
inline constexpr int32_t kPadColors = 14;        // Off, Chartreuse ... White

// The HID key list starts with "Off", stored as 87; entry n (from 1) is
// stored as n - 1, so 86 is never written and has no entry.
inline constexpr int kHidKeyOff = 87;
inline constexpr int32_t HidKeyEntryOf(int byte) {
  if (byte == kHidKeyOff) return 0;
  return byte >= 0 && byte < 86 ? byte + 1 : -1;
}
inline constexpr int HidKeyByteOf(int32_t entry) { return entry == 0 ? kHidKeyOff : entry - 1; }

// The colour byte that a tile's preview step shows: colour 1 before the
// first step (-1) and at step 0, then colours 2, 3 and 4.
inline constexpr uint32_t PreviewColorByte(int32_t step) {
  return kColor1 + static_cast<uint32_t>(step > 0 ? step : 0);
}

// The message bytes 0, 5-13 of a record as the ten-byte message; a record
// too short for them passes unchanged (the editors refuse its length).
inline ElementRecord MessageOf(const ElementRecord& record) {
  if (record.GetCount() < kFirstMessageByte + ButtonMessageRecord::kLength - 1) return record;
  ElementRecord message;
  message.SetCount(ButtonMessageRecord::kLength);
  *message.GetItemPtr(0) = *record.GetItemPtr(kMidiChannel);
  for (uint32_t i = 1; i < ButtonMessageRecord::kLength; ++i)
    *message.GetItemPtr(i) = *record.GetItemPtr(kFirstMessageByte + i - 1);
  return message;
}

// Writes a ten-byte message into bytes 0, 5-13 of record.
inline void PutMessage(ElementRecord& record, const ElementRecord& message) {
  if (message.GetCount() != ButtonMessageRecord::kLength) return;
  if (record.GetCount() < kFirstMessageByte + ButtonMessageRecord::kLength - 1) return;
  *record.GetItemPtr(kMidiChannel) = *message.GetItemPtr(0);
  for (uint32_t i = 1; i < ButtonMessageRecord::kLength; ++i)
    *record.GetItemPtr(kFirstMessageByte + i - 1) = *message.GetItemPtr(i);
}

}  // namespace HV::ColoredSwitchRecord
