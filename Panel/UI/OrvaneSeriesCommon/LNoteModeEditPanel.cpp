#include "Panel/UI/OrvaneSeriesCommon/LNoteModeEditPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Notification/LNotification.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/ObjectBase/ValueScope.h"
#include "Panel/UI/EditorNotificationNames.h"
#include "Panel/UI/OrvaneSeriesCommon/ControlUtilities.h"
#include "Panel/UI/PresetEditorCommon/BankedElements.h"
#include "Panel/UI/PresetEditorCommon/LMidiNoteSelector.h"
#include "Panel/UI/PresetEditorCommon/NoteScaleBuilder.h"

#include <algorithm>
#include <array>
#include <string>

namespace HV {
namespace {

constexpr const char* kInitialize = "LNoteModeEditPanel::Initialize";
constexpr const char* kRegister = "LNoteModeEditPanel::RegisterForAllParameterNotifications";

constexpr uint32_t kCountByte = 0;
constexpr uint32_t kFirstByte = 1;
constexpr uint32_t kLastByte = 2;
constexpr int32_t kMaxCount = static_cast<int32_t>(LNoteModeEditPanel::kNoteSelectors);

// The scale each entry of the scale list names; entry 0 is "Off". The list
// puts Dorian before Lydian, the builder's table the other way round.
constexpr std::array<uint32_t, 11> kScaleOfEntry{0,
                                                 kScaleMajor,
                                                 kScaleMinor,
                                                 kScalePhrygian,
                                                 kScaleMelodicMinor,
                                                 kScaleHarmonicMinor,
                                                 kScaleMixolydian,
                                                 kScaleDorian,
                                                 kScaleLydian,
                                                 kScaleLocrian,
                                                 kScaleChromatic};

// Which record byte selector s (0-based) shows for a record of count notes:
// the first note, the notes between, the last note, then the rest in order.
uint32_t ByteOfSelector(uint32_t selector, int32_t count) {
  const auto last = static_cast<uint32_t>(count - 1);
  if (selector == 0) return kFirstByte;
  if (selector < last) return selector + 2;
  if (selector == last) return kLastByte;
  return selector + 1;
}

RCPtr<LComboBox> FindComboBox(const LControl& panel, const char16_t* name, const char* missing) {
  const RCPtr<LControl> labeled = panel.FindChildControl(StringW(name));
  const RCPtr<LComboBox> comboBox =
      labeled ? DynamicCast<LComboBox>(labeled->FindChildControl(StringW(u"comboBox"))) : nullptr;
  if (!comboBox) ThrowNullPointer(missing, HV_HERE(kInitialize));
  return comboBox;
}

}  // namespace

LNoteModeEditPanel::LNoteModeEditPanel(LControl* parent, const StringW& name)
    : LOwnHandlerControl(parent, name) {}

LNoteModeEditPanel::~LNoteModeEditPanel() = default;

RCPtr<LControl>& LNoteModeEditPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                            const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LNoteModeEditPanel>(result, parent, descriptor);
}

// --- Start ---

HResult LNoteModeEditPanel::Initialize() {
  const HResult result = LPanel::Initialize();
  if (Failed(result)) return result;
  mModeType = FindComboBox(*this, u"noteModeType", "can not find noteModeType child comboBox");
  mScaleType = FindComboBox(*this, u"noteScaleType", "can not find noteScaleType child comboBox");
  // The record code reads all eight notes: a selector missing from the skin
  // is a failure here, not a shorter row.
  for (uint32_t k = 1; k <= kNoteSelectors; ++k) {
    const RCPtr<LControl> labeled = FindChildControl(NumberedName(u"note", k));
    const RCPtr<LMidiNoteSelector> selector =
        labeled ? DynamicCast<LMidiNoteSelector>(labeled->FindChildControl(StringW(u"noteSelector")))
                : nullptr;
    const RCPtr<LNumericUpDown> upDown = selector ? selector->GetNumericUpDown() : nullptr;
    if (!upDown) ThrowNullPointer("can not find child note" + std::to_string(k), HV_HERE(kInitialize));
    mNotes.AddItem(upDown);
  }
  SetNoteCount(ShownNoteCount());
  RegisterForAllParameterNotifications();
  return result;
}

void LNoteModeEditPanel::RegisterForAllParameterNotifications() {
  if (mListening) return;  // a second registration would deliver every change twice
  CheckResult(
      GetOwnHandler().SetNotification(&LNoteModeEditPanel::OnNoteScaleChanged,
                                      RCPtr<LNotificationDistributor>(mScaleType.Get()), kNidSelectionChange),
      HV_HERE(kRegister));
  CheckResult(
      GetOwnHandler().SetNotification(&LNoteModeEditPanel::OnNoteModeTypeChanged,
                                      RCPtr<LNotificationDistributor>(mModeType.Get()), kNidSelectionChange),
      HV_HERE(kRegister));
  SetNotificationForAllArrayItems(mNotes, GetOwnHandler(), &LNoteModeEditPanel::OnNoteChanged,
                                  kNidValueChange);
  mListening = true;
}

RCPtr<LNumericUpDown> LNoteModeEditPanel::GetNoteUpDown(uint32_t index) const {
  return index < mNotes.GetCount() ? mNotes.GetAt(index) : nullptr;
}

// --- Selectors and labels ---

int32_t LNoteModeEditPanel::ShownNoteCount() const {
  const int32_t entry = mModeType ? mModeType->GetSelectedIndex() : -1;
  return std::clamp(entry + kRangeCount, kRangeCount, kMaxCount);
}

void LNoteModeEditPanel::SetNoteCount(int32_t count) {
  for (uint32_t selector = 1; selector < kNoteSelectors; ++selector) {
    const auto k = static_cast<int32_t>(selector + 1);
    if (const RCPtr<LControl> labeled = FindChildControl(NumberedName(u"note", selector + 1)))
      labeled->SetVisible(k <= count);
    if (k == count)
      SetSelectorLabel(selector, u"END_NOTE_LABEL");
    else
      SetSelectorLabel(selector, u"MULTI_NOTE_LABEL", k);
  }
  LabelFirstNote();
}

void LNoteModeEditPanel::LabelFirstNote() {
  const bool keyed =
      ShownNoteCount() != kRangeCount && mScaleType && mScaleType->GetSelectedIndex() > kScaleOff;
  SetSelectorLabel(0, keyed ? u"KEY_LABEL" : u"START_NOTE_LABEL");
}

void LNoteModeEditPanel::SetSelectorLabel(uint32_t selector, const char16_t* stringId, int32_t number) {
  const RCPtr<LControl> labeled = FindChildControl(NumberedName(u"note", selector + 1));
  const RCPtr<LLabel> label =
      labeled ? DynamicCast<LLabel>(labeled->FindChildControl(StringW(u"controlNameLabel"))) : nullptr;
  if (!label) return;
  const StringW text = label->GetString(StringW(stringId));
  label->SetText(number > 0 ? StringW::FromFormat(text.GetText(), number) : text);
}

// --- Showing ---

void LNoteModeEditPanel::SetParamRecord(const ElementRecord& record) {
  if (record.GetCount() != kRecordLength || mNotes.GetCount() != kNoteSelectors) return;
  const FlagScope quiet(mQuiet);
  mShown.Release();
  const signed char countByte = *record.GetItemPtr(kCountByte);
  const int32_t count = std::clamp<int32_t>(countByte, kRangeCount, kMaxCount);
  mModeType->SetSelectedIndex(count - kRangeCount);
  if (count != countByte) mShown.Keep(mModeType.Get(), countByte);
  // A range's record holds its first and last note only: the hidden
  // selectors keep the notes they held, for a switch back to a list.
  const uint32_t shown = count == kRangeCount ? kRangeCount : kNoteSelectors;
  for (uint32_t selector = 0; selector < shown; ++selector)
    mShown.ShowValue(mNotes.GetAt(selector).Get(), *record.GetItemPtr(ByteOfSelector(selector, count)));
  if (count == kRangeCount)
    mScaleType->SetSelectedIndex(kScaleOff);
  else
    DetectNoteScale();
  SetNoteCount(count);
}

void LNoteModeEditPanel::DetectNoteScale() {
  Array<double> notes;
  notes.SetCount(kNoteSelectors);
  for (uint32_t i = 0; i < kNoteSelectors; ++i) *notes.GetItemPtr(i) = mNotes.GetAt(i)->GetValue();
  int32_t found = kScaleOff;
  for (uint32_t entry = 1; entry < kScaleOfEntry.size() && found == kScaleOff; ++entry)
    if (BuildNoteScale(kScaleOfEntry[entry], *notes.GetItemPtr(0), kNoteSelectors) == notes)
      found = static_cast<int32_t>(entry);
  mScaleType->SetSelectedIndex(found);
}

// --- Reading ---

ElementRecord LNoteModeEditPanel::GetParamRecord() {
  ElementRecord record;
  record.SetCount(kRecordLength);
  if (mNotes.GetCount() != kNoteSelectors) return record;
  const int32_t count = ShownNoteCount();
  signed char countByte = static_cast<signed char>(count);
  mShown.FindKept(mModeType.Get(), countByte);
  *record.GetItemPtr(kCountByte) = countByte;
  // A range plays its first and last note only; the bytes after them are 0.
  const uint32_t used = count == kRangeCount ? kRangeCount : kNoteSelectors;
  for (uint32_t selector = 0; selector < used; ++selector)
    *record.GetItemPtr(ByteOfSelector(selector, count)) = mShown.ReadValue(mNotes.GetAt(selector).Get());
  return record;
}

// --- Changes ---

bool LNoteModeEditPanel::ApplyNoteScale() {
  LabelFirstNote();
  const int32_t entry = mScaleType->GetSelectedIndex();
  if (ShownNoteCount() == kRangeCount || entry <= kScaleOff ||
      entry >= static_cast<int32_t>(kScaleOfEntry.size()))
    return false;
  RCPtrArray<LControl> controls;
  for (uint32_t i = 0; i < kNoteSelectors; ++i) controls.AddItem(RCPtr<LControl>(mNotes.GetAt(i).Get()));
  {
    const FlagScope quiet(mQuiet);
    ApplyNoteScaleToSelectors(controls, kScaleOfEntry[static_cast<uint32_t>(entry)]);
  }
  for (uint32_t i = 0; i < kNoteSelectors; ++i) mShown.Forget(mNotes.GetAt(i).Get());
  return true;
}

HResult LNoteModeEditPanel::OnNoteChanged(const RCPtr<LNotificationDistributor>& source,
                                          const RCPtr<LNotification>& /*notification*/) {
  if (mQuiet) return 1;
  const auto* changed = dynamic_cast<const LControl*>(source.Get());
  mShown.Forget(changed);
  if (changed == mNotes.GetAt(0).Get()) {
    ApplyNoteScale();  // the list follows its new first note
  } else if (mScaleType->GetSelectedIndex() != kScaleOff) {
    const FlagScope quiet(mQuiet);
    mScaleType->SetSelectedIndex(kScaleOff);  // a note set by hand ends the scale
    LabelFirstNote();
  }
  SendParametersChanged();
  return 1;
}

HResult LNoteModeEditPanel::OnNoteModeTypeChanged(const RCPtr<LNotificationDistributor>& source,
                                                  const RCPtr<LNotification>& /*notification*/) {
  if (mQuiet) return 1;
  if (source.Get() == static_cast<LNotificationDistributor*>(mModeType.Get())) {
    mShown.Forget(mModeType.Get());
    SetNoteCount(ShownNoteCount());
  }
  SendParametersChanged();
  return 1;
}

HResult LNoteModeEditPanel::OnNoteScaleChanged(const RCPtr<LNotificationDistributor>& /*source*/,
                                               const RCPtr<LNotification>& /*notification*/) {
  if (mQuiet) return 1;
  if (ApplyNoteScale()) SendParametersChanged();
  return 1;
}

void LNoteModeEditPanel::SendParametersChanged() {
  SendNotification(LNotification::Create(kNidParametersChanged));
}

}  // namespace HV
