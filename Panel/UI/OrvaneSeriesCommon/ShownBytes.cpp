#include "Panel/UI/OrvaneSeriesCommon/ShownBytes.h"

#include "HVFramework/Controls/TextBox/LTextBox.h"

#include <cmath>

namespace HV {

void ShownBytes::Release() {
  // Taken out first: putting a list back raises a change, whose handlers may ask here.
  std::map<const LControl*, Kept> kept;
  kept.swap(mKept);
  for (const auto& [control, held] : kept) {
    if (!held.list) continue;
    held.list->SetItemCount(held.countBefore);
    held.list->SetSelectedIndex(held.entryBefore);
  }
}

void ShownBytes::ShowValue(LNumericUpDown* upDown, signed char byte) {
  if (!upDown) return;
  Forget(upDown);
  upDown->SetNormalizedValue(upDown->ValueToNormalized(byte));
  if (ReadValue(upDown) != byte) Keep(upDown, byte);
}

void ShownBytes::ShowChoice(LComboBox* comboBox, int32_t entry, signed char byte, const StringW& standIn) {
  if (!comboBox) return;
  mKept.erase(comboBox);
  const int32_t count = comboBox->GetItemCount();
  if (entry >= 0 && entry < count) {
    comboBox->SetSelectedIndex(entry);
    return;
  }
  // What it showed before: a list that showed nothing goes back to its first entry.
  const int32_t before = comboBox->GetSelectedIndex();
  Kept held{byte, comboBox, before >= 0 && before < count ? before : 0, count};
  if (!standIn.IsEmpty() && comboBox->AppendItem(standIn) >= 0) held.standIn = count;
  comboBox->SetSelectedIndex(held.standIn);
  if (held.standIn < 0) ShowNoEntry(*comboBox);
  mKept[comboBox] = held;
}

// Without a selection the list would still show the text of the entry it
// had, which is not the byte it holds.
void ShownBytes::ShowNoEntry(LComboBox& comboBox) {
  comboBox.SetText(StringW());
  if (LTextBox* text = comboBox.GetTextBox()) text->SetText(StringW());
}

void ShownBytes::Forget(const LControl* control) {
  const auto kept = mKept.find(control);
  if (kept != mKept.end() && kept->second.standIn < 0) mKept.erase(kept);
}

bool ShownBytes::FindKept(const LControl* control, signed char& byte) const {
  const auto kept = mKept.find(control);
  if (kept == mKept.end()) return false;
  const Kept& held = kept->second;
  if (held.standIn >= 0 && held.list->GetSelectedIndex() != held.standIn) return false;
  byte = held.byte;
  return true;
}

signed char ShownBytes::ReadValue(const LNumericUpDown* upDown) const {
  if (!upDown) return 0;
  signed char byte = 0;
  if (FindKept(upDown, byte)) return byte;
  return static_cast<signed char>(std::trunc(upDown->NormalizedToValue(upDown->GetNormalizedValue())));
}

signed char ShownBytes::ReadChoice(const LComboBox* comboBox, int32_t offset) const {
  if (!comboBox) return 0;
  signed char byte = 0;
  if (FindKept(comboBox, byte)) return byte;
  return static_cast<signed char>(comboBox->GetSelectedIndex() + offset);
}

}  // namespace HV
