#include "Panel/UI/OrvaneSeriesCommon/LButtonControlEditPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Controls/TextBox/LTextBox.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "Panel/UI/EditorNotificationNames.h"
#include "Panel/UI/OrvaneSeriesCommon/ButtonMessageRecord.h"
#include "Panel/UI/OrvaneSeriesCommon/ControlUtilities.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>

namespace HV {
namespace {

using namespace ButtonMessageRecord;

constexpr int32_t kLinear = 0;  // the linear scale of SetRange
constexpr int32_t kByteDigits = 3;
constexpr const char* kInitialize = "LButtonControlEditPanel::Initialize";
constexpr int32_t kCycleFields = 4;
constexpr int kFirstNrpnRpnType = kRpnCoarse;

constexpr const WChar* kPageNames[LButtonControlEditPanel::kPageCount] = {
    u"notePage",       u"mmcPage",     u"programPage",  u"programCyclePage", u"programIncDecPage",
    u"ccAbsolutePage", u"ccCyclePage", u"ccIncDecPage", u"nrpnRpnPage",      u"otherPage"};

// The value fields of a cycle page and their caption strings: first, last,
// second, third.
constexpr const char16_t* kCcCycleFields[kCycleFields] = {u"ccValue1", u"ccValue2", u"ccValue3", u"ccValue4"};
constexpr const char16_t* kCcCycleCaptions[kCycleFields] = {u"VALUE1_LABEL", u"VALUE2_LABEL", u"VALUE3_LABEL",
                                                            u"VALUE4_LABEL"};
constexpr const char16_t* kProgramCycleFields[kCycleFields] = {u"program1", u"program2", u"program3",
                                                               u"program4"};
constexpr const char16_t* kProgramCycleCaptions[kCycleFields] = {u"PROGRAM1_LABEL", u"PROGRAM2_LABEL",
                                                                 u"PROGRAM3_LABEL", u"PROGRAM4_LABEL"};
constexpr int kFirstCaption = 0;
constexpr int kLastCaption = 1;
constexpr int kSecondCaption = 2;
constexpr int kThirdCaption = 3;

// The other page's type entries: types 0-3, then 8-16, then 22-24.
constexpr int kOtherSecondRunEntry = 4;
constexpr int kOtherThirdRunEntry = 13;
constexpr int kOtherSecondRunOffset = 4;
constexpr int kOtherThirdRunOffset = 9;

int32_t OtherEntryOf(int type) {
  if (type < kRpnCoarse) return type;
  if (type <= kPitchBend) return type - kOtherSecondRunOffset;
  return type - kOtherThirdRunOffset;
}

int OtherTypeOf(int32_t entry) {
  if (entry < kOtherSecondRunEntry) return entry;
  if (entry < kOtherThirdRunEntry) return entry + kOtherSecondRunOffset;
  return entry + kOtherThirdRunOffset;
}

// The cycle type that bytes 5 and 7 encode: (1, 1) two values, (0, 1) three, else four.
int32_t CycleTypeOf(signed char skipValue2, signed char skipValue3) {
  if (skipValue2 == 1 && skipValue3 == 1) return LButtonControlEditPanel::kTwoValues;
  if (skipValue2 == 0 && skipValue3 == 1) return LButtonControlEditPanel::kThreeValues;
  return LButtonControlEditPanel::kFourValues;
}

LNumericUpDown* At(const RCPtrArray<LNumericUpDown>& upDowns, uint32_t index) {
  return index < upDowns.GetCount() ? upDowns.GetAt(index).Get() : nullptr;
}

void SetByteRange(LNumericUpDown* upDown) {
  if (!upDown) return;
  upDown->SetRange(0.0, 127.0, kLinear);
  if (LTextBox* text = upDown->GetTextBox()) text->SetMaxLength(kByteDigits);
}

RCPtr<LNumericUpDown> UpDownAt(const RCPtr<LControl>& page, std::initializer_list<const char16_t*> path) {
  return FindChildPath<LNumericUpDown>(page, path);
}

}  // namespace

LButtonControlEditPanel::LButtonControlEditPanel(LControl* parent, const StringW& name)
    : LOwnHandlerControl(parent, name) {}

LButtonControlEditPanel::~LButtonControlEditPanel() = default;

RCPtr<LControl>& LButtonControlEditPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                                 const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LButtonControlEditPanel>(result, parent, descriptor);
}

const WChar* LButtonControlEditPanel::PageName(int32_t page) {
  return page >= 0 && page < kPageCount ? kPageNames[page] : nullptr;
}

// --- Start ---

HResult LButtonControlEditPanel::Initialize() {
  const HResult result = LPanel::Initialize();
  mShowOnOffOnlyWhenLatching = false;
  if (Failed(result)) return result;
  mTabControl = DynamicCast<LTabControl>(FindChildControl(StringW(u"tabControl")));
  if (!mTabControl) ThrowNullPointer("Couldn't find child tabControl", HV_HERE(kInitialize));
  CollectCcPages();
  CollectMmcPage();
  CollectNotePage();
  CollectNrpnRpnPage();
  CollectProgramPages();
  CollectOtherPage();
  SetRanges();
  CollectChannelSelectors();
  RegisterForAllParameterNotifications();
  return result;
}

void LButtonControlEditPanel::CollectCcPages() {
  const RCPtr<LControl> absolute = mTabControl->GetPage(StringW(kPageNames[kCcAbsolutePage]));
  mCcSelectors.AddItem(UpDownAt(absolute, {u"cc", u"ccSelector", u"numericUpDown"}));
  mFirstValueSelectors.AddItem(
      UpDownAt(absolute, {u"pressedReleasedSelectors", u"pressed", u"numericUpDown"}));
  mSecondValueSelectors.AddItem(
      UpDownAt(absolute, {u"pressedReleasedSelectors", u"released", u"numericUpDown"}));

  const RCPtr<LControl> cycle = mTabControl->GetPage(StringW(kPageNames[kCcCyclePage]));
  if (!cycle) ThrowNullPointer("Failed to find cc Cycle page", HV_HERE(kInitialize));
  mCcSelectors.AddItem(UpDownAt(cycle, {u"cc", u"ccSelector", u"numericUpDown"}));
  mFirstValueSelectors.AddItem(UpDownAt(cycle, {u"ccValue1", u"numericUpDown"}));
  mSecondValueSelectors.AddItem(UpDownAt(cycle, {u"ccValue2", u"numericUpDown"}));
  mCcValue3 = UpDownAt(cycle, {u"ccValue3", u"numericUpDown"});
  mCcValue4 = UpDownAt(cycle, {u"ccValue4", u"numericUpDown"});
  mCcCycleType = FindChildPath<LComboBox>(cycle, {u"cycleType", u"comboBox"});
  if (!mCcCycleType) ThrowNullPointer("couldn't find child cycleType", HV_HERE(kInitialize));
  SetCycleCaptions(cycle, kCcCycleFields, kCcCycleCaptions, kInitialize);

  const RCPtr<LControl> incDec = mTabControl->GetPage(StringW(kPageNames[kCcIncDecPage]));
  mCcIncDecType = FindChildPath<LComboBox>(incDec, {u"incDec", u"comboBox"});
  if (!mCcIncDecType) ThrowNullPointer("couldn't find incDecType comboBox", HV_HERE(kInitialize));
  mCcSelectors.AddItem(UpDownAt(incDec, {u"cc", u"ccSelector", u"numericUpDown"}));
  mFirstValueSelectors.AddItem(UpDownAt(incDec, {u"minMaxSelectors", u"min", u"numericUpDown"}));
  mSecondValueSelectors.AddItem(UpDownAt(incDec, {u"minMaxSelectors", u"max", u"numericUpDown"}));
}

void LButtonControlEditPanel::CollectMmcPage() {
  const RCPtr<LControl> page = mTabControl->GetPage(StringW(kPageNames[kMmcPage]));
  if (!page) ThrowNullPointer("Couldn't find mmcPage (Tabbed Control Page)", HV_HERE(kInitialize));
  mMmc = FindChildPath<LComboBox>(page, {u"mmc", u"comboBox"});
  if (!mMmc) ThrowNullPointer("Couldn't find MMC NumericUpDown", HV_HERE(kInitialize));
}

void LButtonControlEditPanel::CollectNotePage() {
  const RCPtr<LControl> page = mTabControl->GetPage(StringW(kPageNames[kNotePage]));
  if (!page) ThrowNullPointer("Couldn't find notePage (Tabbed Control Page)", HV_HERE(kInitialize));
  mLatching = FindChildPath<LButton>(page, {u"latching", u"button"});
  if (!mLatching) ThrowNullPointer("Couldn't find latiching", HV_HERE(kInitialize));
  // A click turns latching on and off by itself.
  mLatching->SetAutoValueSet(true);
  mNote = UpDownAt(page, {u"note", u"noteSelector", u"numericUpDown"});
  if (!mNote) ThrowNullPointer("couldn't find child note", HV_HERE(kInitialize));
  mNoteOn = UpDownAt(page, {u"onOffSelectors", u"on", u"numericUpDown"});
  if (!mNoteOn) ThrowNullPointer("couldn't find child on", HV_HERE(kInitialize));
  mNoteOff = UpDownAt(page, {u"onOffSelectors", u"off", u"numericUpDown"});
  if (!mNoteOff) ThrowNullPointer("couldn't find child off", HV_HERE(kInitialize));
}

void LButtonControlEditPanel::CollectNrpnRpnPage() {
  const RCPtr<LControl> page = mTabControl->GetPage(StringW(kPageNames[kNrpnRpnPage]));
  mNrpnRpnType = FindChildPath<LComboBox>(page, {u"NrpnRpn", u"comboBox"});
  mNrpnRpnLsb = UpDownAt(page, {u"msbLSBSelectors", u"lsb", u"numericUpDown"});
  mNrpnRpnMsb = UpDownAt(page, {u"msbLSBSelectors", u"msb", u"numericUpDown"});
  mNrpnRpnValue = UpDownAt(page, {u"value", u"numericUpDown"});
  if (!mNrpnRpnType) ThrowNullPointer("Failed to find child: type ", HV_HERE(kInitialize));
  if (!mNrpnRpnLsb) ThrowNullPointer("Failed to find child: LSB", HV_HERE(kInitialize));
  if (!mNrpnRpnMsb) ThrowNullPointer("Failed to find child: MSB", HV_HERE(kInitialize));
  if (!mNrpnRpnValue) ThrowNullPointer("Failed to find child: value ", HV_HERE(kInitialize));
}

void LButtonControlEditPanel::CollectProgramPages() {
  const RCPtr<LControl> cycle = mTabControl->GetPage(StringW(kPageNames[kProgramCyclePage]));
  if (!cycle) ThrowNullPointer("Failed to find cc Cycle page", HV_HERE(kInitialize));
  mProgramSelectors.AddItem(UpDownAt(cycle, {u"program1", u"numericUpDown"}));
  mSecondProgramSelectors.AddItem(UpDownAt(cycle, {u"program2", u"numericUpDown"}));
  mProgram3 = UpDownAt(cycle, {u"program3", u"numericUpDown"});
  if (!mProgram3) ThrowNullPointer("couldn't find child program3", HV_HERE(kInitialize));
  mProgram4 = UpDownAt(cycle, {u"program4", u"numericUpDown"});
  if (!mProgram4) ThrowNullPointer("couldn't find child program4", HV_HERE(kInitialize));
  mProgramCycleType = FindChildPath<LComboBox>(cycle, {u"cycleType", u"comboBox"});
  if (!mProgramCycleType) ThrowNullPointer("couldn't find child cycleType", HV_HERE(kInitialize));
  SetCycleCaptions(cycle, kProgramCycleFields, kProgramCycleCaptions, kInitialize);

  const RCPtr<LControl> incDec = mTabControl->GetPage(StringW(kPageNames[kProgramIncDecPage]));
  mProgramIncDecMin = UpDownAt(incDec, {u"minMaxSelectors", u"min", u"numericUpDown"});
  if (!mProgramIncDecMin) ThrowNullPointer("couldn't find child min", HV_HERE(kInitialize));
  mProgramIncDecMax = UpDownAt(incDec, {u"minMaxSelectors", u"max", u"numericUpDown"});
  if (!mProgramIncDecMax) ThrowNullPointer("couldn't find child max", HV_HERE(kInitialize));
  mProgramIncDecType = FindChildPath<LComboBox>(incDec, {u"incDecType", u"comboBox"});
  if (!mProgramIncDecType) ThrowNullPointer("couldn't find incDecType comboBox", HV_HERE(kInitialize));

  const RCPtr<LControl> program = mTabControl->GetPage(StringW(kPageNames[kProgramPage]));
  mProgramSelectors.AddItem(UpDownAt(program, {u"program", u"numericUpDown"}));
  mProgramLsb = UpDownAt(program, {u"msbLSBSelectors", u"lsb", u"numericUpDown"});
  mProgramMsb = UpDownAt(program, {u"msbLSBSelectors", u"msb", u"numericUpDown"});
}

void LButtonControlEditPanel::CollectOtherPage() {
  const RCPtr<LControl> page = mTabControl->GetPage(StringW(kPageNames[kOtherPage]));
  if (!page) ThrowNullPointer("can not find child otherPage", HV_HERE(kInitialize));
  mOtherType = FindChildPath<LComboBox>(page, {u"type", u"comboBox"});
  if (!mOtherType) ThrowNullPointer("can not find child otherPage", HV_HERE(kInitialize));
  mOtherValue = UpDownAt(page, {u"value", u"numericUpDown"});
  if (!mOtherValue) ThrowNullPointer("can not find child value", HV_HERE(kInitialize));
}

// The channel selector of page i has index i, in the tab control's order.
void LButtonControlEditPanel::CollectChannelSelectors() {
  const int32_t pages = mTabControl->GetPageCount();
  for (int32_t i = 0; i < pages; ++i)
    mChannelSelectors.AddItem(
        FindChildPath<LComboBox>(mTabControl->GetPageAt(i), {u"midiChannel", u"comboBox"}));
}

void LButtonControlEditPanel::SetRanges() {
  for (const RCPtrArray<LNumericUpDown>* upDowns :
       {&mCcSelectors, &mFirstValueSelectors, &mSecondValueSelectors, &mProgramSelectors,
        &mSecondProgramSelectors}) {
    for (uint32_t i = 0; i < upDowns->GetCount(); ++i) SetByteRange(upDowns->GetAt(i).Get());
  }
  for (LNumericUpDown* upDown :
       {mCcValue3.Get(), mCcValue4.Get(), mProgram3.Get(), mProgram4.Get(), mNote.Get(), mNoteOn.Get(),
        mNoteOff.Get(), mProgramLsb.Get(), mProgramMsb.Get(), mProgramIncDecMin.Get(),
        mProgramIncDecMax.Get(), mNrpnRpnLsb.Get(), mNrpnRpnMsb.Get(), mNrpnRpnValue.Get(),
        mOtherValue.Get()})
    SetByteRange(upDown);
}

// Each field's caption label is required; each gets its own label's text
// ("FIRST", "LAST", "VALUE 2", "VALUE 3") until the cycle type relabels them.
void LButtonControlEditPanel::SetCycleCaptions(const RCPtr<LControl>& page, const char16_t* const* fields,
                                               const char16_t* const* captions, const char* method) {
  for (int32_t i = 0; i < kCycleFields; ++i) {
    const RCPtr<LLabel> label = FindChildPath<LLabel>(page, {fields[i], u"controlNameLabel"});
    if (!label) ThrowNullPointer("couldn't find child ccValue1 child Label", HV_HERE(method));
    label->SetText(label->GetString(StringW(captions[i])));
  }
}

void LButtonControlEditPanel::RegisterForAllParameterNotifications() {
  if (mListening) return;  // a second registration would deliver every change twice
  constexpr const char* kRegister = "LButtonControlEditPanel::RegisterForAllParameterNotifications";
  const auto listen = [this, kRegister](LControl* source, const NotificationName& name,
                                        Handler callback = &LButtonControlEditPanel::OnChildValueChanged) {
    CheckResult(GetOwnHandler().SetNotification(callback, RCPtr<LNotificationDistributor>(source), name),
                HV_HERE(kRegister));
  };
  listen(mProgramIncDecMin.Get(), kNidValueChange);
  listen(mNote.Get(), kNidValueChange);
  listen(mLatching.Get(), kNidLeftClick);
  listen(mLatching.Get(), kNidValueChange);
  listen(mTabControl.Get(), kNidTabSelected);
  for (LNumericUpDown* upDown :
       {mNoteOn.Get(), mNoteOff.Get(), mProgram3.Get(), mProgram4.Get(), mProgramIncDecMax.Get(),
        mProgramLsb.Get(), mProgramMsb.Get(), mOtherValue.Get(), mNrpnRpnLsb.Get(), mNrpnRpnMsb.Get(),
        mNrpnRpnValue.Get()})
    listen(upDown, kNidValueChange);
  listen(mMmc.Get(), kNidSelectionChange);
  listen(mOtherType.Get(), kNidSelectionChange);
  listen(mNrpnRpnType.Get(), kNidSelectionChange);
  listen(mProgramCycleType.Get(), kNidSelectionChange, &LButtonControlEditPanel::OnProgramCycleTypeChanged);
  listen(mCcCycleType.Get(), kNidSelectionChange, &LButtonControlEditPanel::OnCCCycleTypeChanged);
  listen(mCcIncDecType.Get(), kNidSelectionChange);
  listen(mProgramIncDecType.Get(), kNidSelectionChange);
  const Handler changed = &LButtonControlEditPanel::OnChildValueChanged;
  SetNotificationForAllArrayItems(mChannelSelectors, GetOwnHandler(), changed, kNidSelectionChange);
  for (const RCPtrArray<LNumericUpDown>* upDowns :
       {&mCcSelectors, &mFirstValueSelectors, &mSecondValueSelectors})
    SetNotificationForAllArrayItems(*upDowns, GetOwnHandler(), changed, kNidValueChange);
  listen(mCcValue3.Get(), kNidValueChange);
  listen(mCcValue4.Get(), kNidValueChange);
  SetNotificationForAllArrayItems(mProgramSelectors, GetOwnHandler(), changed, kNidValueChange);
  SetNotificationForAllArrayItems(mSecondProgramSelectors, GetOwnHandler(), changed, kNidValueChange);
  mListening = true;
}

// --- Options ---

void LButtonControlEditPanel::SetShowOnOffOnlyWhenLatching(bool showOnlyWhenLatching) {
  mShowOnOffOnlyWhenLatching = showOnlyWhenLatching;
}

void LButtonControlEditPanel::SetTwoValueCyclesOnly(bool twoValuesOnly) {
  for (LComboBox* cycleType : {mCcCycleType.Get(), mProgramCycleType.Get()}) {
    if (!cycleType) continue;
    if (twoValuesOnly) {
      cycleType->SetItemCount(1);
      continue;
    }
    // Offer every cycle again, under the list's own texts.
    const char16_t* const kItems[] = {u"ITEM.00", u"ITEM.01", u"ITEM.02"};
    for (int32_t entry = std::max(cycleType->GetItemCount(), 0); entry <= kFourValues; ++entry)
      cycleType->AppendItem(cycleType->GetString(StringW(kItems[entry])));
  }
}

// --- Showing ---

void LButtonControlEditPanel::NormalizeIncDecRecord(ElementRecord& record) {
  if (record.GetCount() != kLength || *record.GetItemPtr(kMessageGroup) <= 0) return;
  signed char& type = *record.GetItemPtr(kNumber);
  const bool cycleShape = *record.GetItemPtr(kSkipValue2) == 0 || *record.GetItemPtr(kSkipValue3) == 0;
  if (!cycleShape) return;
  if (type == kCcDecrement || type == kCcIncrement) type = kCcCycle;
  if (type == kProgramDecrement || type == kProgramIncrement) type = kProgramCycle;
}

void LButtonControlEditPanel::SetParamRecord(const ElementRecord& record) {
  if (record.GetCount() != kLength || !mTabControl) return;
  ElementRecord shown = record;
  NormalizeIncDecRecord(shown);
  // Setting the controls below must not read as the user's edits.
  mShowing = true;
  mShown.Release();
  // "Other" is offered only while it stands for a command outside the list.
  mMmc->SetItemCount(kMmcTableEntries);
  mRecordShown = shown;
  mRecordPage = ShowRecord(shown);
  ShowPage(mRecordPage);
  mShowing = false;
  RegisterForAllParameterNotifications();
}

int32_t LButtonControlEditPanel::ShowRecord(const ElementRecord& record) {
  const auto byte = [&record](uint32_t index) { return *record.GetItemPtr(index); };
  for (uint32_t i = 0; i < mChannelSelectors.GetCount(); ++i)
    mShown.ShowChoice(mChannelSelectors.GetAt(i).Get(), byte(kMidiChannel), byte(kMidiChannel));
  const int type = byte(kNumber);
  if (byte(kMessageGroup) == 0) {
    ShowCcNumber(byte(kNumber));
    mShown.ShowValue(At(mFirstValueSelectors, 0), byte(kLastValue));
    mShown.ShowValue(At(mSecondValueSelectors, 0), byte(kValue1));
    return kCcAbsolutePage;
  }
  switch (type) {
    case kCcCycle:
      ShowCcNumber(byte(kData1));
      ShowCycle(record, mCcCycleType.Get(), At(mFirstValueSelectors, 1), At(mSecondValueSelectors, 1),
                mCcValue3.Get(), mCcValue4.Get());
      UpdateCCCycleTypeVisibleParameters();
      return kCcCyclePage;
    case kProgramChange:
      mShown.ShowValue(At(mProgramSelectors, 1), byte(kData1));
      mShown.ShowValue(mProgramLsb.Get(), byte(kValue1));
      mShown.ShowValue(mProgramMsb.Get(), byte(kLastValue));
      return kProgramPage;
    case kNote:
    case kNoteLatching:
      mLatching->SetNormalizedValue(type == kNoteLatching ? 1.0 : 0.0);
      ApplyOnOffVisibility();
      mShown.ShowValue(mNoteOff.Get(), byte(kValue1));
      mShown.ShowValue(mNoteOn.Get(), byte(kLastValue));
      mShown.ShowValue(mNote.Get(), byte(kData1));
      return kNotePage;
    case kCcDecrement:
    case kCcIncrement:
      mShown.ShowChoice(mCcIncDecType.Get(), type == kCcDecrement ? 1 : 0, byte(kNumber));
      ShowCcNumber(byte(kData1));
      mShown.ShowValue(At(mFirstValueSelectors, 2), byte(kValue1));
      mShown.ShowValue(At(mSecondValueSelectors, 2), byte(kLastValue));
      return kCcIncDecPage;
    case kProgramCycle:
      ShowCycle(record, mProgramCycleType.Get(), At(mProgramSelectors, 0), At(mSecondProgramSelectors, 0),
                mProgram3.Get(), mProgram4.Get());
      UpdateProgramCycleTypeVisibleParameters();
      return kProgramCyclePage;
    case kProgramDecrement:
    case kProgramIncrement:
      mShown.ShowChoice(mProgramIncDecType.Get(), type == kProgramDecrement ? 1 : 0, byte(kNumber));
      mShown.ShowValue(mProgramIncDecMin.Get(), byte(kValue1));
      mShown.ShowValue(mProgramIncDecMax.Get(), byte(kLastValue));
      return kProgramIncDecPage;
    case kMmc:
      ShowMmc(byte(kValue1));
      return kMmcPage;
    case kRpnCoarse:
    case kRpnFine:
    case kNrpnCoarse:
    case kNrpnFine:
      mShown.ShowChoice(mNrpnRpnType.Get(), type - kFirstNrpnRpnType, byte(kNumber));
      mShown.ShowValue(mNrpnRpnMsb.Get(), byte(kLastValue));
      mShown.ShowValue(mNrpnRpnLsb.Get(), byte(kValue1));
      mShown.ShowValue(mNrpnRpnValue.Get(), byte(kData1));
      return kNrpnRpnPage;
    default:
      mShown.ShowChoice(mOtherType.Get(), OtherEntryOf(type), byte(kNumber));
      mShown.ShowValue(mOtherValue.Get(), byte(kValue1));
      return kOtherPage;
  }
}

// All three CC pages show the same controller, so switching among them keeps it.
void LButtonControlEditPanel::ShowCcNumber(signed char number) {
  for (uint32_t i = 0; i < mCcSelectors.GetCount(); ++i)
    mShown.ShowValue(mCcSelectors.GetAt(i).Get(), number);
}

void LButtonControlEditPanel::ShowCycle(const ElementRecord& record, LComboBox* cycleType,
                                        LNumericUpDown* first, LNumericUpDown* second, LNumericUpDown* third,
                                        LNumericUpDown* fourth) {
  const auto byte = [&record](uint32_t index) { return *record.GetItemPtr(index); };
  const int32_t type = CycleTypeOf(byte(kSkipValue2), byte(kSkipValue3));
  mShown.ShowValue(first, byte(kValue1));
  if (type == kTwoValues) {
    mShown.ShowValue(second, byte(kLastValue));
  } else if (type == kThreeValues) {
    mShown.ShowValue(second, byte(kValue2));
    mShown.ShowValue(third, byte(kLastValue));
  } else {
    mShown.ShowValue(second, byte(kValue2));
    mShown.ShowValue(third, byte(kValue3));
    mShown.ShowValue(fourth, byte(kLastValue));
  }
  if (cycleType) cycleType->SetSelectedIndex(type < cycleType->GetItemCount() ? type : -1);
}

// A command outside the list shows as an entry "Other" appended for it,
// which stands for that command while the record is shown.
void LButtonControlEditPanel::ShowMmc(signed char command) {
  mShown.ShowChoice(mMmc.Get(), MmcEntryOf(command), command, mMmc->GetString(StringW(u"ITEM.12")));
}

void LButtonControlEditPanel::ShowPage(int32_t page) {
  const StringW name(kPageNames[page]);
  mTabControl->SelectPage(name);
  if (const RCPtr<LControl> button = mTabControl->GetPageButton(name)) button->SetNormalizedValue(1.0);
}

void LButtonControlEditPanel::ApplyOnOffVisibility() {
  if (!mShowOnOffOnlyWhenLatching || !mLatching) return;
  const RCPtr<LControl> onOff =
      FindChildPath<LControl>(mTabControl->GetPage(StringW(kPageNames[kNotePage])), {u"onOffSelectors"});
  if (onOff) onOff->SetVisible(mLatching->GetNormalizedValue() == 1.0);
}

void LButtonControlEditPanel::UpdateCCCycleTypeVisibleParameters() {
  UpdateCycleTypeVisibleParameters(kCcCyclePage, mCcCycleType.Get(), kCcCycleFields, kCcCycleCaptions,
                                   "LButtonControlEditPanel::UpdateCCCycleTypeVisibleParameters");
}

void LButtonControlEditPanel::UpdateProgramCycleTypeVisibleParameters() {
  UpdateCycleTypeVisibleParameters(kProgramCyclePage, mProgramCycleType.Get(), kProgramCycleFields,
                                   kProgramCycleCaptions,
                                   "LButtonControlEditPanel::UpdateProgramCycleTypeVisibleParameters");
}

void LButtonControlEditPanel::UpdateCycleTypeVisibleParameters(int32_t page, LComboBox* cycleType,
                                                               const char16_t* const* names,
                                                               const char16_t* const* captions,
                                                               const char* method) {
  const RCPtr<LControl> pageControl = mTabControl ? mTabControl->GetPage(StringW(kPageNames[page])) : nullptr;
  if (!pageControl) ThrowNullPointer("Failed to find cc Cycle page", HV_HERE(method));
  RCPtr<LControl> fields[kCycleFields];
  RCPtr<LLabel> labels[kCycleFields];
  for (int32_t i = 0; i < kCycleFields; ++i) {
    fields[i] = pageControl->FindChildControl(StringW(names[i]));
    labels[i] = FindChildPath<LLabel>(fields[i], {u"controlNameLabel"});
    if (!labels[i]) ThrowNullPointer("couldn't find child ccValue1 child Label", HV_HERE(method));
  }
  const auto caption = [&](int32_t field, int text) {
    labels[field]->SetText(labels[field]->GetString(StringW(captions[text])));
  };
  const auto show = [&](bool third, bool fourth) {
    fields[1]->SetVisible(true);
    fields[2]->SetVisible(third);
    fields[3]->SetVisible(fourth);
  };
  switch (cycleType ? cycleType->GetSelectedIndex() : -1) {
    case kTwoValues:
      show(false, false);
      caption(1, kLastCaption);
      break;
    case kThreeValues:
      show(true, false);
      caption(1, kSecondCaption);
      caption(2, kLastCaption);
      break;
    case kFourValues:
      show(true, true);
      caption(1, kSecondCaption);
      caption(2, kThirdCaption);
      caption(3, kLastCaption);
      break;
    default:
      break;
  }
  RaiseParametersChanged();
}

// --- Reading ---

ElementRecord LButtonControlEditPanel::GetParamRecord() {
  ElementRecord record;
  record.SetCount(kLength);
  for (uint32_t i = 0; i < kLength; ++i) *record.GetItemPtr(i) = 0;
  const int32_t page = SelectedPage();
  if (page < 0) return mRecordShown.GetCount() == kLength ? mRecordShown : record;
  // Bytes the page does not edit keep what the record shown held; another
  // kind of message starts from zeros.
  if (page == mRecordPage && mRecordShown.GetCount() == kLength) record = mRecordShown;
  const auto set = [&record](uint32_t index, int value) {
    *record.GetItemPtr(index) = static_cast<signed char>(value);
  };
  const int32_t channelIndex = mTabControl->GetSelectedPageIndex();
  if (channelIndex >= 0 && static_cast<uint32_t>(channelIndex) < mChannelSelectors.GetCount())
    set(kMidiChannel,
        mShown.ReadChoice(mChannelSelectors.GetAt(static_cast<uint32_t>(channelIndex)).Get(), 0));
  set(kMessageGroup, page == kCcAbsolutePage ? 0 : 1);
  ReadPage(page, record);
  return record;
}

int32_t LButtonControlEditPanel::SelectedPage() const {
  if (!mTabControl) return -1;
  const StringW name = mTabControl->GetSelectedPageName();
  for (int32_t page = 0; page < kPageCount; ++page)
    if (name == StringW(kPageNames[page])) return page;
  return -1;
}

void LButtonControlEditPanel::ReadPage(int32_t page, ElementRecord& record) const {
  const auto set = [&record](uint32_t index, int value) {
    *record.GetItemPtr(index) = static_cast<signed char>(value);
  };
  const auto value = [this](const LNumericUpDown* upDown) { return mShown.ReadValue(upDown); };
  switch (page) {
    case kNotePage:
      set(kNumber, mLatching && mLatching->GetNormalizedValue() != 0.0 ? kNoteLatching : kNote);
      set(kData1, value(mNote.Get()));
      set(kValue1, value(mNoteOff.Get()));
      set(kLastValue, value(mNoteOn.Get()));
      break;
    case kCcAbsolutePage:
      set(kNumber, value(At(mCcSelectors, 0)));
      set(kLastValue, value(At(mFirstValueSelectors, 0)));
      set(kValue1, value(At(mSecondValueSelectors, 0)));
      break;
    case kCcIncDecPage:
      set(kNumber, ReadIncDecType(mCcIncDecType.Get(), kCcIncrement, kCcDecrement));
      set(kData1, value(At(mCcSelectors, 2)));
      ReadIncDecShape(record, value(At(mFirstValueSelectors, 2)), value(At(mSecondValueSelectors, 2)));
      break;
    case kCcCyclePage:
      set(kNumber, kCcCycle);
      set(kData1, value(At(mCcSelectors, 1)));
      ReadCycle(record, mCcCycleType.Get(), At(mFirstValueSelectors, 1), At(mSecondValueSelectors, 1),
                mCcValue3.Get(), mCcValue4.Get());
      break;
    case kProgramPage:
      set(kNumber, kProgramChange);
      set(kData1, value(At(mProgramSelectors, 1)));
      set(kValue1, value(mProgramLsb.Get()));
      set(kLastValue, value(mProgramMsb.Get()));
      break;
    case kProgramIncDecPage:
      set(kNumber, ReadIncDecType(mProgramIncDecType.Get(), kProgramIncrement, kProgramDecrement));
      ReadIncDecShape(record, value(mProgramIncDecMin.Get()), value(mProgramIncDecMax.Get()));
      break;
    case kProgramCyclePage:
      set(kNumber, kProgramCycle);
      ReadCycle(record, mProgramCycleType.Get(), At(mProgramSelectors, 0), At(mSecondProgramSelectors, 0),
                mProgram3.Get(), mProgram4.Get());
      break;
    case kMmcPage:
      set(kNumber, kMmc);
      set(kValue1, ReadMmcCommand());
      break;
    case kNrpnRpnPage:
      set(kNumber, mShown.ReadChoice(mNrpnRpnType.Get(), kFirstNrpnRpnType));
      set(kData1, value(mNrpnRpnValue.Get()));
      set(kValue1, value(mNrpnRpnLsb.Get()));
      set(kLastValue, value(mNrpnRpnMsb.Get()));
      break;
    default:
      set(kNumber, ReadOtherType());
      set(kValue1, value(mOtherValue.Get()));
      break;
  }
}

// Entry 0 "Increment", 1 "Decrement"; a type the list could not show is kept.
signed char LButtonControlEditPanel::ReadIncDecType(const LComboBox* incDec, int increment,
                                                    int decrement) const {
  signed char kept = 0;
  if (mShown.FindKept(incDec, kept)) return kept;
  return static_cast<signed char>(incDec && incDec->GetSelectedIndex() == 1 ? decrement : increment);
}

// An inc/dec record has the shape of a two-value cycle.
void LButtonControlEditPanel::ReadIncDecShape(ElementRecord& record, signed char minimum,
                                              signed char maximum) {
  const signed char bytes[kLength - kValue1] = {minimum, 1, 0, 1, 0, maximum};
  for (uint32_t i = kValue1; i < kLength; ++i) *record.GetItemPtr(i) = bytes[i - kValue1];
}

void LButtonControlEditPanel::ReadCycle(ElementRecord& record, const LComboBox* cycleType,
                                        const LNumericUpDown* first, const LNumericUpDown* second,
                                        const LNumericUpDown* third, const LNumericUpDown* fourth) const {
  const int32_t type = cycleType ? cycleType->GetSelectedIndex() : kFourValues;
  const signed char v1 = mShown.ReadValue(first);
  const signed char v2 = mShown.ReadValue(second);
  signed char bytes[kLength - kValue1] = {v1, 1, 0, 1, 0, v2};
  if (type == kThreeValues) {
    const signed char last[] = {v1, 0, v2, 1, 0, mShown.ReadValue(third)};
    std::copy(std::begin(last), std::end(last), bytes);
  } else if (type != kTwoValues) {
    const signed char last[] = {v1, 0, v2, 0, mShown.ReadValue(third), mShown.ReadValue(fourth)};
    std::copy(std::begin(last), std::end(last), bytes);
  }
  for (uint32_t i = kValue1; i < kLength; ++i) *record.GetItemPtr(i) = bytes[i - kValue1];
}

signed char LButtonControlEditPanel::ReadMmcCommand() const {
  signed char kept = 0;
  if (mShown.FindKept(mMmc.Get(), kept)) return kept;
  const int32_t entry = mMmc ? mMmc->GetSelectedIndex() : 0;
  return static_cast<signed char>(MmcCommandOf(std::clamp(entry, 0, kMmcTableEntries - 1)));
}

signed char LButtonControlEditPanel::ReadOtherType() const {
  signed char kept = 0;
  if (mShown.FindKept(mOtherType.Get(), kept)) return kept;
  return static_cast<signed char>(mOtherType ? OtherTypeOf(mOtherType->GetSelectedIndex()) : 0);
}

// --- Changes ---

HResult LButtonControlEditPanel::OnChildValueChanged(const RCPtr<LNotificationDistributor>& source,
                                                     const RCPtr<LNotification>& /*notification*/) {
  if (mShowing) return 1;
  // The user changed this control: from now on it gives its own reading.
  if (const auto* control = dynamic_cast<const LControl*>(source.Get())) mShown.Forget(control);
  if (source && source.Get() == static_cast<LNotificationDistributor*>(mLatching.Get()))
    ApplyOnOffVisibility();
  RaiseParametersChanged();
  return 1;
}

HResult LButtonControlEditPanel::OnCCCycleTypeChanged(const RCPtr<LNotificationDistributor>& /*source*/,
                                                      const RCPtr<LNotification>& /*notification*/) {
  UpdateCCCycleTypeVisibleParameters();
  return 1;
}

HResult LButtonControlEditPanel::OnProgramCycleTypeChanged(const RCPtr<LNotificationDistributor>& /*source*/,
                                                           const RCPtr<LNotification>& /*notification*/) {
  UpdateProgramCycleTypeVisibleParameters();
  return 1;
}

void LButtonControlEditPanel::RaiseParametersChanged() {
  if (mShowing) return;
  SendNotification(LNotification::Create(kNidParametersChanged));
}

}  // namespace HV
