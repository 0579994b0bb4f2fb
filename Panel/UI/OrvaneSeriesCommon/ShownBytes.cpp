#include "Panel/UI/OrvaneSeriesCommon/ShownBytes.h"

#include <cmath>

namespace HV {

void ShownBytes::ShowValue(LNumericUpDown* upDown, signed char byte) {
  if (!upDown) return;
  Forget(upDown);
  upDown->SetNormalizedValue(upDown->ValueToNormalized(byte));
  if (ReadValue(upDown) != byte) Keep(upDown, byte);
}

void ShownBytes::ShowChoice(LComboBox* comboBox, int32_t entry, signed char byte) {
  if (!comboBox) return;
  Forget(comboBox);
  const bool offered = entry >= 0 && entry < comboBox->GetItemCount();
  comboBox->SetSelectedIndex(offered ? entry : -1);
  if (!offered) Keep(comboBox, byte);
}

bool ShownBytes::FindKept(const LControl* control, signed char& byte) const {
  const auto kept = mKept.find(control);
  if (kept == mKept.end()) return false;
  byte = kept->second;
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
