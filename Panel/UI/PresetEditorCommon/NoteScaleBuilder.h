#pragma once

// Runs of MIDI note numbers that form a musical scale from a root note: the
// note-mode editor recognises the scale a row of note selectors forms and
// fills a row from a chosen scale.

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"

#include <cstdint>

namespace HV {

// The scale types, rows of the builder's interval table.
enum NoteScaleType : uint32_t {
  kScaleMajor = 0,
  kScaleMinor = 1,
  kScalePhrygian = 2,
  kScaleMelodicMinor = 3,
  kScaleHarmonicMinor = 4,
  kScaleMixolydian = 5,
  kScaleLydian = 6,
  kScaleDorian = 7,
  kScaleLocrian = 8,
  kScaleChromatic = 9,
  kScaleChromaticDown = 10,
  kNoteScaleTypes = 11,
};

// count notes of the scale from root, in MIDI note units: the scale's steps
// from the root, one octave higher at each pass through the row (also for the
// descending row). Not limited to 0-127; an unknown type gives no notes.
Array<double> BuildNoteScale(uint32_t scaleType, double root, uint32_t count);

// Sets the controls, in order, to the scale that starts at the first
// control's value; each control limits its note to its own range. Nothing
// changes without controls, without a first control, or for an unknown type.
void ApplyNoteScaleToSelectors(const RCPtrArray<LControl>& controls, uint32_t scaleType);

}  // namespace HV
