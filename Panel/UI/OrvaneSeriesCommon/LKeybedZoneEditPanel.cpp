#include "Panel/UI/OrvaneSeriesCommon/LKeybedZoneEditPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/ObjectBase/ValueScope.h"
#include "Panel/UI/LMainControl.h"
#include "Panel/UI/OrvaneSeriesCommon/KeybedZoneRecord.h"

#include <array>
#include <cmath>
#include <string>

namespace HV {
namespace {

namespace Zone = KeybedZoneRecord;  // LControl has names of its own like these

constexpr const char* kInitialize = "LKeybedZoneEditPanel::Initialize";
constexpr int32_t kLinear = 0;
constexpr size_t kMaxPath = 4;

using Path = std::array<const char16_t*, kMaxPath>;  // child names, then nulls

constexpr int32_t kHighestValue = 127;

// Where a number box sits, the record byte it edits and the range it shows;
// the byte counts from the range's low end (octave -5 is byte 0).
struct NumberBoxPlace {
  uint32_t byte;
  Path path;
  int32_t low;
  int32_t high;
};

constexpr NumberBoxPlace kNumberBoxes[] = {
    {Zone::kOctave, {u"octave", u"numericUpDown"}, -Zone::kOctaveBias, Zone::kOctaveBias},
    {Zone::kTranspose, {u"transpose", u"numericUpDown"}, -Zone::kTransposeBias, Zone::kTransposeBias},
    {Zone::kLsb, {u"msbLSBSelectors", u"lsb", u"numericUpDown"}, 0, kHighestValue},
    {Zone::kMsb, {u"msbLSBSelectors", u"msb", u"numericUpDown"}, 0, kHighestValue},
    {Zone::kFirstKey,
     {u"startEndNoteSelector", u"startNote", u"noteSelector", u"numericUpDown"},
     0,
     kHighestValue},
    {Zone::kLastKey,
     {u"startEndNoteSelector", u"endNote", u"noteSelector", u"numericUpDown"},
     0,
     kHighestValue},
    {Zone::kProgram, {u"program", u"numericUpDown"}, 0, kHighestValue},
};

std::string Narrow(const Path& path) {
  std::string out;
  for (const char16_t* name : path) {
    if (!name) break;
    if (!out.empty()) out += '/';
    for (const char16_t* c = name; *c; ++c) out += static_cast<char>(*c);
  }
  return out;
}

constexpr const char* kCouldNotFind = "couldn't find child ";
constexpr const char* kCannotFind = "Cannot find child ";  // the key selectors' containers

// Follows path child by child from control; a missing link throws the Null
// Pointer failure naming the path after missing.
template <class T>
RCPtr<T> FindPath(const LControl& control, const Path& path, const char* missing = kCouldNotFind) {
  RCPtr<LControl> at(const_cast<LControl*>(&control));
  for (const char16_t* name : path) {
    if (!name) break;
    at = at ? at->FindChildControl(StringW(name)) : nullptr;
  }
  const RCPtr<T> found = DynamicCast<T>(at);
  if (!found) ThrowNullPointer(std::string(missing) + Narrow(path), HV_HERE(kInitialize));
  return found;
}

}  // namespace

LKeybedZoneEditPanel::LKeybedZoneEditPanel(LControl* parent, const StringW& name)
    : LOwnHandlerControl(parent, name) {}

LKeybedZoneEditPanel::~LKeybedZoneEditPanel() = default;

RCPtr<LControl>& LKeybedZoneEditPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                              const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LKeybedZoneEditPanel>(result, parent, descriptor);
}

// --- Start ---

HResult LKeybedZoneEditPanel::Initialize() {
  const HResult result = LPanel::Initialize();
  if (Failed(result)) return result;
  FindControls();
  Listen(mEnable.Get(), kNidValueChange);
  CheckResult(GetOwnHandler().SetNotification(&LKeybedZoneEditPanel::OnEnableButtonClicked,
                                              RCPtr<LNotificationDistributor>(mEnable.Get()), kNidLeftClick),
              HV_HERE(kInitialize));
  Listen(mChannel.Get(), kNidSelectionChange);
  for (const NumberBoxPlace& place : kNumberBoxes) {
    LNumericUpDown& box = *mNumbers[place.byte].box;
    box.SetRange(place.low, place.high, kLinear);
    Listen(&box, kNidValueChange);
  }
  return result;
}

void LKeybedZoneEditPanel::FindControls() {
  mZoneName = FindPath<LLabel>(*this, {u"zoneName"});
  mEnable = FindPath<LButton>(*this, {u"zoneEnabledToggleButton"});
  mChannel = FindPath<LComboBox>(*this, {u"midiChannel", u"comboBox"});
  const RCPtr<LControl> keys = FindPath<LControl>(*this, {u"startEndNoteSelector"}, kCannotFind);
  const RCPtr<LControl> firstKey = FindPath<LControl>(*keys, {u"startNote"}, kCannotFind);
  const RCPtr<LControl> lastKey = FindPath<LControl>(*keys, {u"endNote"}, kCannotFind);
  for (const NumberBoxPlace& place : kNumberBoxes)
    mNumbers[place.byte] = Number{FindPath<LNumericUpDown>(*this, place.path), -place.low};
  for (const auto& [selector, stringId] :
       {std::pair{firstKey, u"START_NOTE_LABEL"}, std::pair{lastKey, u"END_NOTE_LABEL"}}) {
    const RCPtr<LLabel> label = FindPath<LLabel>(*selector, {u"controlNameLabel"});
    label->SetText(label->GetString(StringW(stringId)));
  }
  mKeyNames = KeyNames::FromNoteSelector(*FindPath<LControl>(*firstKey, {u"noteSelector"}));
}

void LKeybedZoneEditPanel::Listen(LControl* control, const NotificationName& name) {
  CheckResult(GetOwnHandler().SetNotification(&LKeybedZoneEditPanel::OnControlValueChanged,
                                              RCPtr<LNotificationDistributor>(control), name),
              HV_HERE(kInitialize));
}

RCPtr<LControl> LKeybedZoneEditPanel::GetControlOfByte(uint32_t byte) const {
  if (byte == Zone::kEnabled) return RCPtr<LControl>(mEnable.Get());
  if (byte == Zone::kChannel) return RCPtr<LControl>(mChannel.Get());
  return byte < mNumbers.size() ? RCPtr<LControl>(mNumbers[byte].box.Get()) : nullptr;
}

// --- Binding ---

void LKeybedZoneEditPanel::SetFirstParamID(LParameterizedModule* parent, int32_t firstParamID,
                                           int32_t index) {
  LParameterizedModule::SetFirstParamID(parent, firstParamID, index);
  LMainControl::RequestValue(firstParamID);
  SetZoneLabelText(index + 1);
}

void LKeybedZoneEditPanel::SetZoneLabelText(int32_t zoneNumber) {
  if (!mZoneName) return;
  mZoneName->SetText(StringW::FromFormat(mZoneName->GetString(StringW(u"LABEL")).GetText(), zoneNumber));
}

// --- Showing ---

HResult LKeybedZoneEditPanel::SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value,
                                                 bool) {
  if (descriptor.paramID != GetFirstParamID()) return E_FAIL;
  const ElementRecord record = RecordFromValue(value);
  if (record.GetCount() != Zone::kLength) return E_FAIL;
  {
    const FlagScope showing(mShowing);
    mShown.Release();
    const signed char enabled = *record.GetItemPtr(Zone::kEnabled);
    mEnable->SetNormalizedValue(enabled);
    if (std::trunc(mEnable->GetNormalizedValue()) != enabled) mShown.Keep(mEnable.Get(), enabled);
    mShown.ShowChoice(mChannel.Get(), *record.GetItemPtr(Zone::kChannel), *record.GetItemPtr(Zone::kChannel));
    for (const NumberBoxPlace& place : kNumberBoxes) ShowNumber(place.byte, *record.GetItemPtr(place.byte));
  }
  SetParamValue(descriptor, value);
  return 0;
}

void LKeybedZoneEditPanel::ShowNumber(uint32_t byte, signed char value) {
  const Number& number = mNumbers[byte];
  mShown.Forget(number.box.Get());
  number.box->SetNormalizedValue(number.box->ValueToNormalized(value - number.bias));
  if (ReadNumber(byte) != value) mShown.Keep(number.box.Get(), value);
}

// --- Reading ---

signed char LKeybedZoneEditPanel::ReadNumber(uint32_t byte) const {
  const Number& number = mNumbers[byte];
  signed char value = 0;
  if (mShown.FindKept(number.box.Get(), value)) return value;
  return static_cast<signed char>(std::trunc(number.box->GetValue()) + number.bias);
}

ElementRecord LKeybedZoneEditPanel::GetZoneRecord() {
  ElementRecord record;
  record.SetCount(Zone::kLength);
  signed char enabled = static_cast<signed char>(std::trunc(mEnable->GetNormalizedValue()));
  mShown.FindKept(mEnable.Get(), enabled);
  *record.GetItemPtr(Zone::kEnabled) = enabled;
  *record.GetItemPtr(Zone::kChannel) = mShown.ReadChoice(mChannel.Get(), 0);
  for (const NumberBoxPlace& place : kNumberBoxes) *record.GetItemPtr(place.byte) = ReadNumber(place.byte);
  return record;
}

// --- Changes ---

HResult LKeybedZoneEditPanel::OnEnableButtonClicked(const RCPtr<LNotificationDistributor>& source,
                                                    const RCPtr<LNotification>& /*notification*/) {
  if (source.Get() != static_cast<LNotificationDistributor*>(mEnable.Get())) return 1;
  mEnable->SetNormalizedValue(mEnable->GetNormalizedValue() == 0.0 ? 1.0 : 0.0);
  return 1;
}

HResult LKeybedZoneEditPanel::OnControlValueChanged(const RCPtr<LNotificationDistributor>& source,
                                                    const RCPtr<LNotification>& /*notification*/) {
  if (mShowing) return 1;
  auto* changed = dynamic_cast<LControl*>(source.Get());
  mShown.Forget(changed);  // the user set this control: it gives its own reading from now on
  // The key rule keeps a zone's keys in order; unbound, the panel edits no zone.
  if (IsBound() && changed == mNumbers[Zone::kFirstKey].box.Get()) OnKeyEdited(Zone::kFirstKey);
  if (IsBound() && changed == mNumbers[Zone::kLastKey].box.Get()) OnKeyEdited(Zone::kLastKey);
  SendZoneRecord();
  return 1;
}

void LKeybedZoneEditPanel::OnKeyEdited(uint32_t byte) {
  const Zone::KeyRange before{ReadNumber(Zone::kFirstKey), ReadNumber(Zone::kLastKey)};
  const Zone::KeyRange after =
      Zone::ApplyKeyRule(before, byte == Zone::kFirstKey ? Zone::KeyEdited::First : Zone::KeyEdited::Last);
  // The keys the rule moves change quietly: the edit sends one record.
  const FlagScope quiet(mShowing);
  if (after.first != before.first) ShowNumber(Zone::kFirstKey, static_cast<signed char>(after.first));
  if (after.last != before.last) ShowNumber(Zone::kLastKey, static_cast<signed char>(after.last));
}

void LKeybedZoneEditPanel::SendZoneRecord() {
  if (mShowing || !IsBound()) return;
  LMainControl::SendEdit(*this, GetFirstParamID(), ValueFromRecord(GetZoneRecord()));
}

}  // namespace HV
