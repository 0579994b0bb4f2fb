#include "Panel/UI/PresetEditorCommon/LNumberBoxTextSelector.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlNotificationNames.h"
#include "HVFramework/Controls/OwnHandlerDispatch.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "Panel/UI/PresetEditorCommon/LMidiNoteSelector.h"

namespace HV {

LNumberBoxTextSelector::LNumberBoxTextSelector(LControl* parent, const StringW& name)
    : LOwnHandlerControl(parent, name) {}

LNumberBoxTextSelector::~LNumberBoxTextSelector() = default;

RCPtr<LControl>& LNumberBoxTextSelector::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                                const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LNumberBoxTextSelector>(result, parent, descriptor);
}

HResult LNumberBoxTextSelector::Initialize() {
  const HResult result = LPanel::Initialize();
  if (Failed(result)) return result;
  mLabel = DynamicCast<LLabel>(FindChildControl(StringW(u"label")));
  mNumber = DynamicCast<LNumericUpDown>(FindChildControl(StringW(u"numericUpDown")));
  CheckResult(GetOwnHandler().SetNotification(&LNumberBoxTextSelector::OnNumberValueChanged,
                                        RCPtr<LNotificationDistributor>(mNumber.Get()), kNidValueChange),
              HV_HERE("LNumberBoxTextSelector::Initialize"));
  UpdateNumberText();
  return result;
}

void LNumberBoxTextSelector::UpdateNumberText() {
  if (!mNumber || !mLabel) return;
  StringW text;
  if (LMidiNoteSelector::EntryAt(mLabel->GetStringTable(), static_cast<uint32_t>(LMidiNoteSelector::NumberOf(*mNumber)),
                                 text))
    mLabel->SetText(text);
}

HResult LNumberBoxTextSelector::OnNumberValueChanged(const RCPtr<LNotificationDistributor>&,
                                                     const RCPtr<LNotification>&) {
  UpdateNumberText();
  return 1;
}

}  // namespace HV
