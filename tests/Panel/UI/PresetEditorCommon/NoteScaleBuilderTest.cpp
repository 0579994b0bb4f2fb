// The note scale builder: every scale from a few roots, the octave passes,
// the descending row, an unknown type; and filling controls, which limit the
// notes to their own range.
#include "Panel/UI/PresetEditorCommon/NoteScaleBuilder.h"

#include <gtest/gtest.h>

#include <vector>

namespace HV {
namespace {

std::vector<double> NotesOf(const Array<double>& notes) {
  std::vector<double> out;
  for (uint32_t i = 0; i < notes.GetCount(); ++i) out.push_back(*notes.GetItemPtr(i));
  return out;
}

TEST(NoteScaleBuilder, EveryScaleFromAFewRoots) {
  struct Case {
    uint32_t type;
    std::vector<double> fromZero;  // the first eight notes from root 0
  };
  const Case cases[] = {
      {kScaleMajor, {0, 2, 4, 5, 7, 9, 11, 12}},
      {kScaleMinor, {0, 2, 3, 5, 7, 8, 10, 12}},
      {kScalePhrygian, {0, 1, 3, 5, 7, 8, 10, 12}},
      {kScaleMelodicMinor, {0, 2, 3, 5, 7, 9, 11, 12}},
      {kScaleHarmonicMinor, {0, 2, 3, 5, 7, 8, 11, 12}},
      {kScaleMixolydian, {0, 2, 4, 5, 7, 9, 10, 12}},
      {kScaleLydian, {0, 2, 4, 6, 7, 9, 11, 12}},
      {kScaleDorian, {0, 2, 3, 5, 7, 9, 10, 12}},
      {kScaleLocrian, {0, 1, 3, 5, 6, 8, 10, 12}},
      {kScaleChromatic, {0, 1, 2, 3, 4, 5, 6, 7}},
      {kScaleChromaticDown, {0, -1, -2, -3, -4, -5, -6, -7}},
  };
  for (const Case& test : cases) {
    for (const double root : {0.0, 60.0, 125.0}) {
      std::vector<double> expected;
      for (const double offset : test.fromZero) expected.push_back(root + offset);
      EXPECT_EQ(NotesOf(BuildNoteScale(test.type, root, 8)), expected)
          << "type " << test.type << " root " << root;
    }
  }
}

TEST(NoteScaleBuilder, PassesGoUpAnOctaveAndUnknownTypesGiveNothing) {
  struct Case {
    const char* what;
    uint32_t type;
    double root;
    uint32_t count;
    std::vector<double> expected;
  };
  const Case cases[] = {
      {"major, a second pass",
       kScaleMajor,
       60,
       15,
       {60, 62, 64, 65, 67, 69, 71, 72, 74, 76, 77, 79, 81, 83, 84}},
      {"chromatic, thirteen notes",
       kScaleChromatic,
       60,
       13,
       {60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72}},
      {"descending: three notes", kScaleChromaticDown, 60, 3, {60, 59, 58}},
      {"descending: the next pass starts an octave up",
       kScaleChromaticDown,
       60,
       13,
       {60, 59, 58, 57, 56, 55, 54, 53, 52, 51, 50, 49, 72}},
      {"no limit at 127", kScaleMajor, 120, 4, {120, 122, 124, 125}},
      {"no notes asked", kScaleMajor, 60, 0, {}},
      {"a type past the table", kNoteScaleTypes, 60, 8, {}},
  };
  for (const Case& test : cases)
    EXPECT_EQ(NotesOf(BuildNoteScale(test.type, test.root, test.count)), test.expected) << test.what;
}

TEST(NoteScaleBuilder, ControlsTakeTheScaleWithinTheirRange) {
  struct Case {
    const char* what;
    uint32_t type;
    double root;
    std::vector<double> expected;
  };
  const Case cases[] = {
      {"major from 60", kScaleMajor, 60, {60, 62, 64, 65, 67, 69, 71, 72}},
      {"held at 127", kScaleMajor, 120, {120, 122, 124, 125, 127, 127, 127, 127}},
      {"held at 0", kScaleChromaticDown, 3, {3, 2, 1, 0, 0, 0, 0, 0}},
      {"an unknown type changes nothing", kNoteScaleTypes, 60, {60, 1, 1, 1, 1, 1, 1, 1}},
  };
  for (const Case& test : cases) {
    RCPtrArray<LControl> controls;
    for (int i = 0; i < 8; ++i) {
      const RCPtr<LControl> control(new LControl(nullptr, StringW(u"note")));
      control->SetRange(0, 127, LControl::kLinear);
      control->SetNormalizedValue(control->ValueToNormalized(i == 0 ? test.root : 1));
      controls.AddItem(control);
    }
    ApplyNoteScaleToSelectors(controls, test.type);
    std::vector<double> values;
    for (uint32_t i = 0; i < controls.GetCount(); ++i) values.push_back(controls.GetAt(i)->GetValue());
    EXPECT_EQ(values, test.expected) << test.what;
  }
  // Without controls, or without a first one, nothing happens.
  RCPtrArray<LControl> none;
  ApplyNoteScaleToSelectors(none, kScaleMajor);
  RCPtrArray<LControl> noFirst;
  noFirst.AddItem(nullptr);
  ApplyNoteScaleToSelectors(noFirst, kScaleMajor);
}

}  // namespace
}  // namespace HV
