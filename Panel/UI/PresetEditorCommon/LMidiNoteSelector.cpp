#include "Panel/UI/PresetEditorCommon/LMidiNoteSelector.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/ObjectBase/Exception.h"

#include <cmath>
#include <iterator>

namespace HV {
namespace {

constexpr int32_t kLinear = 0;
constexpr uint32_t kNotesPerOctave = 12;

}  // namespace

LMidiNoteSelector::LMidiNoteSelector(LControl* parent, const StringW& name)
    : LOwnHandlerControl(parent, name) {}

LMidiNoteSelector::~LMidiNoteSelector() = default;

RCPtr<LControl>& LMidiNoteSelector::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                           const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LMidiNoteSelector>(result, parent, descriptor);
}

HResult LMidiNoteSelector::Initialize() {
  const HResult result = LPanel::Initialize();
  if (Failed(result)) return result;
  mNoteName = DynamicCast<LLabel>(FindChildControl(StringW(u"noteNameLabel")));
  mOctaveName = DynamicCast<LLabel>(FindChildControl(StringW(u"octaveNameLabel")));
  mNumber = DynamicCast<LNumericUpDown>(FindChildControl(StringW(u"numericUpDown")));
  if (mNumber) mNumber->SetRange(0.0, 127.0, kLinear);
  UpdateNoteText();
  CheckResult(GetOwnHandler().SetNotification(&LMidiNoteSelector::OnNoteValueChanged,
                                        RCPtr<LNotificationDistributor>(mNumber.Get()), kNidValueChange),
              HV_HERE("LMidiNoteSelector::Initialize"));
  return 0;
}

int32_t LMidiNoteSelector::NumberOf(const LNumericUpDown& upDown) {
  return static_cast<int32_t>(std::trunc(upDown.NormalizedToValue(upDown.GetNormalizedValue())));
}

bool LMidiNoteSelector::EntryAt(const RCPtr<LStringTable>& table, uint32_t index, StringW& text) {
  if (!table || index >= table->GetCount()) return false;
  text = std::next(table->GetEntries().begin(), index)->second;  // the map keeps identifier order
  return true;
}

HResult LMidiNoteSelector::SetLabelFromStringTable(const RCPtr<LStringTable>& table, uint32_t index, LLabel& label) {
  StringW text;
  if (!EntryAt(table, index, text)) return 0;
  return label.SetText(text);
}

void LMidiNoteSelector::UpdateNoteText() {
  if (!mNumber) return;
  const auto note = static_cast<uint32_t>(NumberOf(*mNumber));
  if (mNoteName) SetLabelFromStringTable(mNoteName->GetStringTable(), note % kNotesPerOctave, *mNoteName);
  if (mOctaveName) SetLabelFromStringTable(mOctaveName->GetStringTable(), note / kNotesPerOctave, *mOctaveName);
}

HResult LMidiNoteSelector::OnNoteValueChanged(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  UpdateNoteText();
  return 1;
}

}  // namespace HV
