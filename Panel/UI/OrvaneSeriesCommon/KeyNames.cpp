#include "Panel/UI/OrvaneSeriesCommon/KeyNames.h"

namespace HV {
namespace {

constexpr int32_t kNotesPerOctave = 12;

std::vector<StringW> TextsOf(const LControl& selector, const char16_t* labelName) {
  std::vector<StringW> texts;
  const RCPtr<LControl> label = selector.FindChildControl(StringW(labelName));
  const RCPtr<LStringTable> table = label ? label->GetStringTable() : nullptr;
  if (!table) return texts;
  for (const auto& [id, text] : table->GetEntries()) texts.push_back(text);  // the map keeps identifier order
  return texts;
}

StringW At(const std::vector<StringW>& texts, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= texts.size()) return StringW();
  return texts[static_cast<size_t>(index)];
}

}  // namespace

KeyNames KeyNames::FromNoteSelector(const LControl& noteSelector) {
  KeyNames names;
  names.mNotes = TextsOf(noteSelector, u"noteNameLabel");
  names.mOctaves = TextsOf(noteSelector, u"octaveNameLabel");
  return names;
}

StringW KeyNames::NoteName(int32_t key) const {
  return key < 0 ? StringW() : At(mNotes, key % kNotesPerOctave);
}

StringW KeyNames::OctaveName(int32_t key) const {
  return key < 0 ? StringW() : At(mOctaves, key / kNotesPerOctave);
}

}  // namespace HV
