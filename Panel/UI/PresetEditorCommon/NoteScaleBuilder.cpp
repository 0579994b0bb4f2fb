#include "Panel/UI/PresetEditorCommon/NoteScaleBuilder.h"

#include <array>

namespace HV {
namespace {

struct ScaleRow {
  uint32_t steps;
  std::array<int32_t, 12> intervals;  // semitones from the root, steps of them used
};

// One row per scale type, in type order.
constexpr std::array<ScaleRow, kNoteScaleTypes> kScales{{
    {7, {0, 2, 4, 5, 7, 9, 11}},                              // major
    {7, {0, 2, 3, 5, 7, 8, 10}},                              // minor
    {7, {0, 1, 3, 5, 7, 8, 10}},                              // phrygian
    {7, {0, 2, 3, 5, 7, 9, 11}},                              // melodic minor
    {7, {0, 2, 3, 5, 7, 8, 11}},                              // harmonic minor
    {7, {0, 2, 4, 5, 7, 9, 10}},                              // mixolydian
    {7, {0, 2, 4, 6, 7, 9, 11}},                              // lydian
    {7, {0, 2, 3, 5, 7, 9, 10}},                              // dorian
    {7, {0, 1, 3, 5, 6, 8, 10}},                              // locrian
    {12, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},             // chromatic
    {12, {0, -1, -2, -3, -4, -5, -6, -7, -8, -9, -10, -11}},  // chromatic, descending within each pass
}};

constexpr uint32_t kSemitonesPerOctave = 12;
constexpr uint32_t kOctaveOffsetModulo = 256;  // the offset is kept to eight bits

}  // namespace

Array<double> BuildNoteScale(uint32_t scaleType, double root, uint32_t count) {
  Array<double> notes;
  if (scaleType >= kNoteScaleTypes) return notes;
  const ScaleRow& row = kScales[scaleType];
  notes.SetCount(count);
  for (uint32_t i = 0; i < count; ++i) {
    const uint32_t octaveOffset = (kSemitonesPerOctave * (i / row.steps)) % kOctaveOffsetModulo;
    *notes.GetItemPtr(i) = row.intervals[i % row.steps] + root + octaveOffset;
  }
  return notes;
}

void ApplyNoteScaleToSelectors(const RCPtrArray<LControl>& controls, uint32_t scaleType) {
  const uint32_t count = controls.GetCount();
  if (count == 0 || !controls.GetAt(0)) return;
  LControl& first = *controls.GetAt(0);
  const Array<double> notes =
      BuildNoteScale(scaleType, first.NormalizedToValue(first.GetNormalizedValue()), count);
  if (notes.GetCount() != count) return;
  for (uint32_t i = 0; i < count; ++i) {
    if (LControl* control = controls.GetAt(i).Get())
      control->SetNormalizedValue(control->ValueToNormalized(*notes.GetItemPtr(i)));
  }
}

}  // namespace HV
