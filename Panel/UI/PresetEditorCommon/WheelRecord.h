#pragma once

// A wheel's five-byte record is the six-byte record of a continuous control
// without its relative-mode byte (byte 3), which a wheel never has.

#include "Panel/UI/OrvaneSeriesCommon/MoveableControlRecord.h"
#include "Panel/UI/PresetEditorCommon/ElementRecord.h"

namespace HV::WheelRecord {

inline constexpr uint32_t kLength = 5;

// The wheel's bytes with relative mode 0; another length is handed on unchanged.
inline ElementRecord ToMoveable(const ElementRecord& wheel) {
  if (wheel.GetCount() != kLength) return wheel;
  ElementRecord moveable;
  moveable.SetCount(MoveableControlRecord::kLength);
  for (uint32_t from = 0, to = 0; to < MoveableControlRecord::kLength; ++to)
    *moveable.GetItemPtr(to) = to == MoveableControlRecord::kCcMode ? 0 : *wheel.GetItemPtr(from++);
  return moveable;
}

// The moveable record without its relative-mode byte; another length is handed on unchanged.
inline ElementRecord FromMoveable(const ElementRecord& moveable) {
  if (moveable.GetCount() != MoveableControlRecord::kLength) return moveable;
  ElementRecord wheel;
  wheel.SetCount(kLength);
  for (uint32_t from = 0, to = 0; from < MoveableControlRecord::kLength; ++from)
    if (from != MoveableControlRecord::kCcMode) *wheel.GetItemPtr(to++) = *moveable.GetItemPtr(from);
  return wheel;
}

}  // namespace HV::WheelRecord
