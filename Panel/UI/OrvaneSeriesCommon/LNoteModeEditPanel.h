#pragma once

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "HVFramework/Controls/NumericUpDown/LNumericUpDown.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"
#include "Panel/UI/OrvaneSeriesCommon/ShownBytes.h"
#include "Panel/UI/PresetEditorCommon/ElementRecord.h"

#include <cstdint>

namespace HV {

// LNoteModeEditPanel: the editor of an X/Y pad axis's note mode. The axis
// plays either a range (a first and a last note) or a list of three to eight
// notes, and the list can be filled from a scale that starts at the first
// note. Its owner shows the nine note-mode bytes with SetParamRecord and
// reads them back with GetParamRecord when this panel raises
// "NID_PARAMETERS_CHANGED" (at once, once per change the user makes).
//
// The record: byte 0 the note count (2 for a range, 3-8 for a list), byte 1
// the first note, byte 2 the last note in use, bytes 3-8 the notes between
// them and then those of the selectors past the count. The selectors hold the
// same notes in playing order: first, the notes between, last, the rest.
//
// Showing a record raises nothing. A count outside 2-8 is shown as the
// nearest of them, and a note outside 0-127 as the nearest note, while the
// bytes shown are written back unchanged until the user changes their control.
class LNoteModeEditPanel : public LOwnHandlerControl<LPanel, LNoteModeEditPanel> {
 public:
  static constexpr uint32_t kRecordLength = 9;
  static constexpr uint32_t kNoteSelectors = 8;
  static constexpr int32_t kRangeCount = 2;  // the range mode's note count
  static constexpr int32_t kScaleOff = 0;    // the scale list's "Off" entry

  LNoteModeEditPanel(LControl* parent, const StringW& name);
  ~LNoteModeEditPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // Finds the mode and scale combo boxes and all eight note selectors (each
  // missing one throws the Null Pointer failure), then listens to them.
  HResult Initialize() override;
  // Shows a nine-byte record; another length is ignored. Raises nothing.
  virtual void SetParamRecord(const ElementRecord& record);
  // The nine bytes the controls hold (and the bytes held for them).
  virtual ElementRecord GetParamRecord();

  // "NID_VALUE_CHANGE" of a note: a new first note moves a chosen scale along
  // with it; any other note changed by hand ends the scale. 1.
  virtual HResult OnNoteChanged(const RCPtr<LNotificationDistributor>& source,
                                const RCPtr<LNotification>& notification);
  // "NID_SELECTION_CHANGE" of the mode list: shows that many selectors. 1.
  virtual HResult OnNoteModeTypeChanged(const RCPtr<LNotificationDistributor>& source,
                                        const RCPtr<LNotification>& notification);
  // "NID_SELECTION_CHANGE" of the scale list: fills the list from the scale. 1.
  virtual HResult OnNoteScaleChanged(const RCPtr<LNotificationDistributor>& source,
                                     const RCPtr<LNotification>& notification);

  // Listens to the two lists and the eight notes (once).
  void RegisterForAllParameterNotifications();

  // The up-down of note selector index (0-7); null past them.
  RCPtr<LNumericUpDown> GetNoteUpDown(uint32_t index) const;
  RCPtr<LComboBox> GetModeTypeComboBox() const { return mModeType; }
  RCPtr<LComboBox> GetScaleComboBox() const { return mScaleType; }

 private:
  // The count the selectors show: the mode list's entry + 2.
  int32_t ShownNoteCount() const;
  // Shows count selectors and labels them FIRST, NOTE k ... LAST.
  void SetNoteCount(int32_t count);
  // Selector 1 reads KEY while a scale fills a list, FIRST otherwise.
  void LabelFirstNote();
  // Fills the selectors from the chosen scale; false when nothing changed.
  bool ApplyNoteScale();
  // Selects the scale entry the eight notes form, "Off" when none.
  void DetectNoteScale();
  void SetSelectorLabel(uint32_t selector, const char16_t* stringId, int32_t number = 0);
  void SendParametersChanged();

  RCPtrArray<LNumericUpDown> mNotes;  // selector order, all eight
  RCPtr<LComboBox> mModeType;
  RCPtr<LComboBox> mScaleType;
  ShownBytes mShown;    // the count and notes its controls could not show
  bool mQuiet = false;  // changes the panel makes itself raise nothing
  bool mListening = false;
};

}  // namespace HV
