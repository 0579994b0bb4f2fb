#pragma once

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/ComboBox/LComboBox.h"
#include "HVFramework/Controls/NumericUpDown/LNumericUpDown.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/Controls/TabControl/LTabControl.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"
#include "Panel/UI/OrvaneSeriesCommon/ShownBytes.h"
#include "Panel/UI/PresetEditorCommon/ElementRecord.h"

#include <cstdint>

namespace HV {

// LButtonControlEditPanel: the shared editor of a switch's ten-byte message
// record (push buttons, pads, the sustain pedal). Ten tab pages, one per
// kind of message: note, MMC, program, program cycle, program inc/dec, CC
// absolute, CC cycle, CC inc/dec, RPN/NRPN and other. Its owner shows a
// record with SetParamRecord and reads it back with GetParamRecord when this
// panel raises "NID_PARAMETERS_CHANGED" (at once, inside the change of one
// of its controls; showing a record raises nothing).
//
// A byte that its control cannot show (a choice with no entry, a value
// outside 0-127, an MMC command outside the list) is kept as it was shown and
// written back unchanged until the user changes that control; so are the
// bytes that the page shown does not edit.
class LButtonControlEditPanel : public LOwnHandlerControl<LPanel, LButtonControlEditPanel> {
 public:
  // Page indices: the tab control's layout order, the same for pages and buttons.
  enum Page : int32_t {
    kNotePage = 0,
    kMmcPage = 1,
    kProgramPage = 2,
    kProgramCyclePage = 3,
    kProgramIncDecPage = 4,
    kCcAbsolutePage = 5,
    kCcCyclePage = 6,
    kCcIncDecPage = 7,
    kNrpnRpnPage = 8,
    kOtherPage = 9,
    kPageCount = 10
  };
  // Entries of the cycle-type lists.
  enum CycleType : int32_t { kTwoValues = 0, kThreeValues = 1, kFourValues = 2 };

  LButtonControlEditPanel(LControl* parent, const StringW& name);
  ~LButtonControlEditPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // Finds the pages' controls, gives the up-downs their ranges and listens
  // to them; throws (Null Pointer) without a control it needs.
  HResult Initialize() override;
  // Shows a ten-byte record (another length changes nothing); raises nothing.
  virtual void SetParamRecord(const ElementRecord& record);
  // The ten bytes of the page shown and its controls; bytes 1-9 are 0 without a page.
  virtual ElementRecord GetParamRecord();
  // With the flag set, the note page shows its ON/OFF values only while latching is on.
  virtual void SetShowOnOffOnlyWhenLatching(bool showOnlyWhenLatching);
  bool GetShowOnOffOnlyWhenLatching() const { return mShowOnOffOnlyWhenLatching; }
  // With the flag set, the two cycle pages offer only "2 Values" (records
  // that have no room for more values, such as the sustain pedal's).
  virtual void SetTwoValueCyclesOnly(bool twoValuesOnly);

  // An inc/dec record (types 25-28) whose byte 5 or 7 is 0 has the shape of a
  // cycle of three or four values: its type becomes the matching cycle (18 or
  // 29). Only ten-byte records of message group 1 are touched.
  static void NormalizeIncDecRecord(ElementRecord& record);
  // The name of the page at index; null outside 0-9.
  static const WChar* PageName(int32_t page);

  // Adapt a cycle page to its cycle type: the value fields shown and their captions.
  void UpdateCCCycleTypeVisibleParameters();
  void UpdateProgramCycleTypeVisibleParameters();

  // Any change of a control by the user: "NID_PARAMETERS_CHANGED" at once. 1.
  HResult OnChildValueChanged(const RCPtr<LNotificationDistributor>& source,
                              const RCPtr<LNotification>& notification);
  // A new cycle type: the page adapts, then as OnChildValueChanged. 1.
  HResult OnCCCycleTypeChanged(const RCPtr<LNotificationDistributor>& source,
                               const RCPtr<LNotification>& notification);
  HResult OnProgramCycleTypeChanged(const RCPtr<LNotificationDistributor>& source,
                                    const RCPtr<LNotification>& notification);

  RCPtr<LTabControl> GetTabControl() const { return mTabControl; }

 private:
  using Handler = LNotificationHandler<LButtonControlEditPanel>::Handler;

  void CollectCcPages();
  void CollectMmcPage();
  void CollectNotePage();
  void CollectNrpnRpnPage();
  void CollectProgramPages();
  void CollectOtherPage();
  void CollectChannelSelectors();
  void SetRanges();
  void SetCycleCaptions(const RCPtr<LControl>& page, const char16_t* const* fields,
                        const char16_t* const* captions, const char* method);
  // Listens to every control of the pages (once).
  void RegisterForAllParameterNotifications();

  // Sets the controls of the record's page; that page's index.
  int32_t ShowRecord(const ElementRecord& record);
  void ShowCcNumber(signed char number);
  void ShowCycle(const ElementRecord& record, LComboBox* cycleType, LNumericUpDown* first,
                 LNumericUpDown* second, LNumericUpDown* third, LNumericUpDown* fourth);
  void ShowMmc(signed char command);
  void ShowPage(int32_t page);
  void ApplyOnOffVisibility();
  void UpdateCycleTypeVisibleParameters(int32_t page, LComboBox* cycleType, const char16_t* const* names,
                                        const char16_t* const* captions, const char* method);
  void RaiseParametersChanged();

  // The page shown, by its name; -1 without one.
  int32_t SelectedPage() const;
  void ReadPage(int32_t page, ElementRecord& record) const;
  signed char ReadIncDecType(const LComboBox* incDec, int increment, int decrement) const;
  static void ReadIncDecShape(ElementRecord& record, signed char minimum, signed char maximum);
  void ReadCycle(ElementRecord& record, const LComboBox* cycleType, const LNumericUpDown* first,
                 const LNumericUpDown* second, const LNumericUpDown* third,
                 const LNumericUpDown* fourth) const;
  signed char ReadMmcCommand() const;
  signed char ReadOtherType() const;

  RCPtr<LTabControl> mTabControl;
  RCPtrArray<LComboBox> mChannelSelectors;           // one per page, in page order
  RCPtrArray<LNumericUpDown> mCcSelectors;           // CC absolute, CC cycle, CC inc/dec
  RCPtrArray<LNumericUpDown> mFirstValueSelectors;   // DOWN, "ccValue1", MIN
  RCPtrArray<LNumericUpDown> mSecondValueSelectors;  // UP, "ccValue2", MAX
  RCPtr<LNumericUpDown> mCcValue3;
  RCPtr<LNumericUpDown> mCcValue4;
  RCPtrArray<LNumericUpDown> mProgramSelectors;        // "program1" (cycle), "program" (program page)
  RCPtrArray<LNumericUpDown> mSecondProgramSelectors;  // "program2"
  RCPtr<LNumericUpDown> mProgram3;
  RCPtr<LNumericUpDown> mProgram4;
  RCPtr<LNumericUpDown> mNote;
  RCPtr<LNumericUpDown> mNoteOn;
  RCPtr<LNumericUpDown> mNoteOff;
  RCPtr<LButton> mLatching;
  RCPtr<LComboBox> mMmc;
  RCPtr<LComboBox> mCcIncDecType;
  RCPtr<LComboBox> mProgramIncDecType;
  RCPtr<LComboBox> mNrpnRpnType;
  RCPtr<LComboBox> mOtherType;
  RCPtr<LComboBox> mCcCycleType;
  RCPtr<LComboBox> mProgramCycleType;
  RCPtr<LNumericUpDown> mProgramLsb;
  RCPtr<LNumericUpDown> mProgramMsb;
  RCPtr<LNumericUpDown> mProgramIncDecMin;
  RCPtr<LNumericUpDown> mProgramIncDecMax;
  RCPtr<LNumericUpDown> mNrpnRpnLsb;
  RCPtr<LNumericUpDown> mNrpnRpnMsb;
  RCPtr<LNumericUpDown> mNrpnRpnValue;
  RCPtr<LNumericUpDown> mOtherValue;

  ShownBytes mShown;                 // bytes kept for controls that could not show them
  ElementRecord mRecordShown;        // the last record shown, for bytes its page does not edit
  int32_t mRecordPage = -1;          // the page of the last record shown
  bool mShowOnOffOnlyWhenLatching = false;
  bool mShowing = false;
  bool mListening = false;
};

}  // namespace HV
