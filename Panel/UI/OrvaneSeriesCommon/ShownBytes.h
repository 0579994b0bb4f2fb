#pragma once

#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "HVFramework/Controls/NumericUpDown/LNumericUpDown.h"

#include <cstdint>
#include <map>

namespace HV {

// ShownBytes: the bytes of the record shown now that an editor's controls
// could not show (a choice with no entry, a value outside the up-down's
// range). Such a byte is read back unchanged, so showing a record and editing
// another field never rewrites it, until the user changes that control
// (Forget).
//
// A list that could not show its byte is left without a selection, or shows
// a stand-in entry ("Other") appended for it. Either state belongs to the
// record shown: Release, before the next record is shown, puts every such
// list back to the entries and selection it had before, so a control on a
// page that the next record does not show never reads as an empty list
// (0xFF) or carries the byte of another record.
class ShownBytes {
 public:
  // Lets go of the bytes of the record shown; the lists emptied for them
  // show again what they showed before it.
  void Release();
  // Sets the up-down to the byte; keeps the byte when the up-down cannot show it.
  void ShowValue(LNumericUpDown* upDown, signed char byte);
  // Selects the entry. When the list has no such entry the byte is kept and
  // the list is left without a selection or, given a stand-in text, shows an
  // entry of that text appended for it.
  void ShowChoice(LComboBox* comboBox, int32_t entry, signed char byte, const StringW& standIn = StringW());
  // Keeps the byte of a control that shows a value of its own for it.
  void Keep(const LControl* control, signed char byte) { mKept[control] = Kept{byte}; }
  // The user set the control: it gives its own reading from now on. A
  // stand-in entry keeps standing for its byte while the record is shown.
  void Forget(const LControl* control);

  // The up-down's reading (truncated), or the byte kept for it; 0 without one.
  signed char ReadValue(const LNumericUpDown* upDown) const;
  // The selected entry + offset, or the byte kept for it; 0 without a box.
  signed char ReadChoice(const LComboBox* comboBox, int32_t offset) const;
  // The byte kept for the control, if any (for a list with a stand-in entry,
  // only while that entry is selected).
  bool FindKept(const LControl* control, signed char& byte) const;

 private:
  struct Kept {
    signed char byte = 0;
    LComboBox* list = nullptr;  // a list changed to show that it cannot show the byte
    int32_t entryBefore = 0;    // its selection before, to be put back
    int32_t countBefore = 0;    // its entry count before (a stand-in entry comes after)
    int32_t standIn = -1;       // the stand-in entry, or -1
  };

  static void ShowNoEntry(LComboBox& comboBox);

  std::map<const LControl*, Kept> mKept;
};

}  // namespace HV
