#include "Panel/UI/PresetEditorCommon/LButtonEditPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/UI/PresetEditorCommon/BankedElements.h"
#include "Panel/UI/PresetEditorCommon/LButtonGroupPanel.h"

namespace HV {
namespace {

using namespace ColoredSwitchRecord;

// In the order of LButtonEditPanel::Choice after the four colours.
constexpr SwitchChoice kHidChoices[] = {
    {u"asciiPage", u"key", kHidKey, true, "Couldn't find child key"},
    {u"asciiPage", u"modifierKey", kHidModifier, false, "Couldn't find child modifierKey"},
    {u"colorPage", u"asciiColor", kHidColor, false, "Couldn't find child asciiColor"},
};

constexpr SwitchEditKind kButtonEdit{
    {kPushButtonLength, u"midiPage", "Couldn't find child buttonTypePanel", "LButtonEditPanel::Initialize", true},
    u"buttonName",
    "Couldn't find child ButtonName",
    kHidChoices};

}  // namespace

LButtonEditPanel::LButtonEditPanel(LControl* parent, const StringW& name)
    : LColoredSwitchEditPanel(parent, name, kButtonEdit) {}

LButtonEditPanel::~LButtonEditPanel() = default;

RCPtr<LControl>& LButtonEditPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                          const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LButtonEditPanel>(result, parent, descriptor);
}

void LButtonEditPanel::SetButtonLabelText(uint32_t index) {
  WriteBankTitles(*this, u"buttonName", LButtonGroupPanel::kLayout, index, "LButtonEditPanel::SetButtonLabelText");
}

}  // namespace HV
