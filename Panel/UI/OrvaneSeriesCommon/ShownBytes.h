#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "HVFramework/Controls/NumericUpDown/LNumericUpDown.h"

#include <cstdint>
#include <map>

namespace HV {

// ShownBytes: the bytes of a record that an editor's controls could not show
// (a choice with no entry, a value outside the up-down's range). Such a
// byte is read back unchanged, so showing a record and editing another field
// never rewrites it, until the user changes that control (Forget).
class ShownBytes {
 public:
  void Clear() { mKept.clear(); }
  // Sets the up-down to the byte; keeps the byte when the up-down cannot show it.
  void ShowValue(LNumericUpDown* upDown, signed char byte);
  // Selects the entry; keeps the byte when the list has no such entry.
  void ShowChoice(LComboBox* comboBox, int32_t entry, signed char byte);
  void Keep(const LControl* control, signed char byte) { mKept[control] = byte; }
  void Forget(const LControl* control) { mKept.erase(control); }
  bool IsKept(const LControl* control) const { return mKept.count(control) != 0; }

  // The up-down's reading (truncated), or the byte kept for it; 0 without one.
  signed char ReadValue(const LNumericUpDown* upDown) const;
  // The selected entry + offset, or the byte kept for it; 0 without a box.
  signed char ReadChoice(const LComboBox* comboBox, int32_t offset) const;
  // The byte kept for the control, if any.
  bool FindKept(const LControl* control, signed char& byte) const;

 private:
  std::map<const LControl*, signed char> mKept;
};

}  // namespace HV
