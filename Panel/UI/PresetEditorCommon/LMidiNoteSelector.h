#pragma once

#include "HVFramework/ControlBase/Skin/ControlFactory/LStringTable.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Controls/NumericUpDown/LNumericUpDown.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"

#include <cstdint>

namespace HV {

// LMidiNoteSelector: a note number (0-127) on its "numericUpDown", with the
// note's name ("C", "Db", ...) and octave ("(4)") on two labels that follow
// every change. The zone variant differs only in its octave texts. Its owner
// reads and sets the number on the up-down.
class LMidiNoteSelector : public LOwnHandlerControl<LPanel, LMidiNoteSelector> {
 public:
  LMidiNoteSelector(LControl* parent, const StringW& name);
  ~LMidiNoteSelector() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  HResult Initialize() override;
  // The label shows the table's entry at index in identifier order; an index
  // past the end leaves it as it is (the result is then 0).
  virtual HResult SetLabelFromStringTable(const RCPtr<LStringTable>& table, uint32_t index, LLabel& label);
  void UpdateNoteText();
  HResult OnNoteValueChanged(const RCPtr<LNotificationDistributor>& source, const RCPtr<LNotification>& notification);

  RCPtr<LNumericUpDown> GetNumericUpDown() const { return mNumber; }


  // The up-down's value truncated toward zero.
  static int32_t NumberOf(const LNumericUpDown& upDown);
  // Shared with the other text selectors: the entry at index of the table, false past its end.
  static bool EntryAt(const RCPtr<LStringTable>& table, uint32_t index, StringW& text);

 private:
  RCPtr<LLabel> mNoteName;
  RCPtr<LLabel> mOctaveName;
  RCPtr<LNumericUpDown> mNumber;
};

}  // namespace HV
