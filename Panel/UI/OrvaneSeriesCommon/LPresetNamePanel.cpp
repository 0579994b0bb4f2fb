#include "Panel/UI/OrvaneSeriesCommon/LPresetNamePanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/Controls/ControlsNotificationNames.h"
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/ObjectBase/ValueScope.h"
#include "Panel/UI/LMainControl.h"
#include "Panel/UI/OrvaneSeriesCommon/PresetNameRecord.h"

#include <algorithm>

namespace HV {

LPresetNamePanel::LPresetNamePanel(LControl* parent, const StringW& name) : LOwnHandlerControl(parent, name) {}

LPresetNamePanel::~LPresetNamePanel() = default;

RCPtr<LControl>& LPresetNamePanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                          const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LPresetNamePanel>(result, parent, descriptor);
}

HResult LPresetNamePanel::Initialize() {
  const HResult result = LPanel::Initialize();
  if (Failed(result)) return result;
  mTextBox = DynamicCast<LTextBox>(FindChildControl(StringW(u"textBox")));
  if (!mTextBox) ThrowNullPointer("Cannot find child textBox", HV_HERE("LPresetNamePanel::Initialize"));
  CheckResult(GetOwnHandler().SetNotification(&LPresetNamePanel::OnNameChanged,
                                              RCPtr<LNotificationDistributor>(mTextBox.Get()), kNidTextboxTextChange),
              HV_HERE("LPresetNamePanel::Initialize"));
  mTextBox->SetMaxLength(static_cast<int32_t>(PresetNameRecord::kLength));
  mTextBox->SetAutoScroll(false, true);
  mTextBox->SetCharSet(StringW(PresetNameRecord::kAllowedCharacters), true);
  return result;
}

HResult LPresetNamePanel::SetParamValueLocal(const ParamDescriptor& descriptor, const Variant& value, bool) {
  if (descriptor.paramID != GetFirstParamID()) return E_FAIL;
  if (!mTextBox || IsOvertakenEcho(value)) return 0;
  const FlagScope showing(mShowing);
  // The box holds six characters, as its typing does.
  StringW text = PresetNameRecord::ToText(RecordFromValue(value));
  if (text.GetLength() > static_cast<int32_t>(PresetNameRecord::kLength))
    text = text.SubString(0, static_cast<int32_t>(PresetNameRecord::kLength));
  // The caret stays where the user typed: the name comes back upper-cased
  // after each key.
  mTextBox->SetTextEx(text, false);
  return 0;
}

HResult LPresetNamePanel::OnNameChanged(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
  if (mShowing || !mTextBox) return 1;
  const Variant name = ValueFromRecord(PresetNameRecord::FromText(mTextBox->GetText()));
  if (mUnannounced.size() == kMostUnannounced) mUnannounced.pop_front();
  mUnannounced.push_back(name);
  LMainControl::SendEdit(*this, GetFirstParamID(), name);
  return 1;
}

bool LPresetNamePanel::IsOvertakenEcho(const Variant& value) {
  const auto sent = std::find(mUnannounced.begin(), mUnannounced.end(), value);
  if (sent == mUnannounced.end()) {
    mUnannounced.clear();
    return false;
  }
  // Names sent before this one that never came back (the engine held them
  // already) are answered with it.
  mUnannounced.erase(mUnannounced.begin(), sent + 1);
  return !mUnannounced.empty();
}

}  // namespace HV
