#pragma once

// An X/Y pad axis's fifteen bytes: the six bytes of a continuous control's
// message (what the axis sends as a controller), then the nine bytes of its
// note mode (the notes it plays instead). Both halves always travel together.

#include "Panel/UI/OrvaneSeriesCommon/MoveableControlRecord.h"
#include "Panel/UI/PresetEditorCommon/ElementRecord.h"

namespace HV::TouchPadAxisRecord {

inline constexpr uint32_t kNotesLength = 9;
inline constexpr uint32_t kNotesStart = MoveableControlRecord::kLength;
inline constexpr uint32_t kLength = kNotesStart + kNotesLength;

// The byte at index, 0 past the record's end.
inline signed char ByteAt(const ElementRecord& record, uint32_t index) {
  return index < record.GetCount() ? *record.GetItemPtr(index) : 0;
}

// count bytes of record from first.
inline ElementRecord Slice(const ElementRecord& record, uint32_t first, uint32_t count) {
  ElementRecord part;
  part.SetCount(count);
  for (uint32_t i = 0; i < count; ++i) *part.GetItemPtr(i) = ByteAt(record, first + i);
  return part;
}

// The controller half, bytes 0-5.
inline ElementRecord MidiPart(const ElementRecord& axis) { return Slice(axis, 0, MoveableControlRecord::kLength); }

// The note-mode half, bytes 6-14.
inline ElementRecord NotesPart(const ElementRecord& axis) { return Slice(axis, kNotesStart, kNotesLength); }

// The axis's fifteen bytes from its two halves; a short half leaves 0 in its place.
inline ElementRecord Join(const ElementRecord& midi, const ElementRecord& notes) {
  ElementRecord axis;
  axis.SetCount(kLength);
  for (uint32_t i = 0; i < kLength; ++i)
    *axis.GetItemPtr(i) = i < kNotesStart ? ByteAt(midi, i) : ByteAt(notes, i - kNotesStart);
  return axis;
}

}  // namespace HV::TouchPadAxisRecord
