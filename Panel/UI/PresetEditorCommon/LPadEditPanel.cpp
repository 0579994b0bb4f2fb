#include "Panel/UI/PresetEditorCommon/LPadEditPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/Controls/LLabel.h"

namespace HV {
namespace {

using namespace ColoredSwitchRecord;

constexpr EditPanelKind kPadEdit{kPadLength, u"midiPage", "Couldn't find viewTabControl page: midiPage",
                                 "LPadEditPanel::Initialize", false};

constexpr SwitchChoice kPadChoices[] = {
    {u"colorPage", u"color1", kColor1, false, "Couldn't find child color1"},
    {u"colorPage", u"color2", kColor1 + 1, false, "Couldn't find child color2"},
    {u"colorPage", u"color3", kColor1 + 2, false, "Couldn't find child color3"},
    {u"colorPage", u"color4", kColor1 + 3, false, "Couldn't find child color4"},
};

}  // namespace

LPadEditPanel::LPadEditPanel(LControl* parent, const StringW& name)
    : LColoredSwitchEditPanel(parent, name, kPadEdit, kPadChoices) {}

LPadEditPanel::~LPadEditPanel() = default;

RCPtr<LControl>& LPadEditPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                       const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LPadEditPanel>(result, parent, descriptor);
}

HResult LPadEditPanel::Initialize() {
  const HResult result = LColoredSwitchEditPanel::Initialize();
  if (Failed(result)) return result;
  if (!DynamicCast<LLabel>(FindChildControl(StringW(u"padName"))))
    ThrowNullPointer("Couldn't find child padName", HV_HERE("LPadEditPanel::Initialize"));
  GetEditor()->SetShowOnOffOnlyWhenLatching(true);
  return result;
}

HResult LPadEditPanel::SetPadIndex(int32_t index) {
  if (index < 0 || index >= kPadCount) return E_FAIL;
  WriteTitle(index);
  RequestValue();
  return 0;
}

void LPadEditPanel::WriteTitle(int32_t index) {
  if (index < 0 || index >= kPadCount) return;
  mPadIndex = index;
  if (const RCPtr<LLabel> title = DynamicCast<LLabel>(FindChildControl(StringW(u"padName"))))
    title->SetText(StringW::FromFormat(title->GetString(StringW(u"LABEL")).GetText(), index + 1));
}

}  // namespace HV
