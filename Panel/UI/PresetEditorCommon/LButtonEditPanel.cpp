#include "Panel/UI/PresetEditorCommon/LButtonEditPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/Controls/LLabel.h"
#include "Panel/UI/PresetEditorCommon/BankedElements.h"
#include "Panel/UI/PresetEditorCommon/LButtonGroupPanel.h"

namespace HV {
namespace {

using namespace ColoredSwitchRecord;

constexpr EditPanelKind kButtonEdit{kPushButtonLength, u"midiPage", "Couldn't find child buttonTypePanel",
                                    "LButtonEditPanel::Initialize", true};

// In the order of LButtonEditPanel::Choice.
constexpr SwitchChoice kButtonChoices[] = {
    {u"colorPage", u"color1", kColor1, false, "Couldn't find child color1"},
    {u"colorPage", u"color2", kColor1 + 1, false, "Couldn't find child color2"},
    {u"colorPage", u"color3", kColor1 + 2, false, "Couldn't find child color3"},
    {u"colorPage", u"color4", kColor1 + 3, false, "Couldn't find child color4"},
    {u"asciiPage", u"key", kHidKey, true, "Couldn't find child key"},
    {u"asciiPage", u"modifierKey", kHidModifier, false, "Couldn't find child modifierKey"},
    {u"colorPage", u"asciiColor", kHidColor, false, "Couldn't find child asciiColor"},
};

}  // namespace

LButtonEditPanel::LButtonEditPanel(LControl* parent, const StringW& name)
    : LColoredSwitchEditPanel(parent, name, kButtonEdit, kButtonChoices) {}

LButtonEditPanel::~LButtonEditPanel() = default;

RCPtr<LControl>& LButtonEditPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                          const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LButtonEditPanel>(result, parent, descriptor);
}

HResult LButtonEditPanel::Initialize() {
  const HResult result = LColoredSwitchEditPanel::Initialize();
  if (Failed(result)) return result;
  if (!DynamicCast<LLabel>(FindChildControl(StringW(u"buttonName"))))
    ThrowNullPointer("Couldn't find child ButtonName", HV_HERE("LButtonEditPanel::Initialize"));
  return result;
}

void LButtonEditPanel::SetButtonLabelText(uint32_t index) {
  WriteBankTitles(*this, u"buttonName", LButtonGroupPanel::kLayout, index, "LButtonEditPanel::SetButtonLabelText");
}

}  // namespace HV
