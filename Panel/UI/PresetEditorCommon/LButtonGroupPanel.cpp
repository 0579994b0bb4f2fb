#include "Panel/UI/PresetEditorCommon/LButtonGroupPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"

namespace HV {
namespace {

constexpr GroupKind kButtonGroup{u"buttonEditPanel", "buttonEditPanel knob found", LDeviceView::kPushButtonPanel,
                                 false, "LButtonGroupPanel::Initialize"};

}  // namespace

LButtonGroupPanel::LButtonGroupPanel(LControl* parent, const StringW& name)
    : LElementGroupPanel(parent, name, kButtonGroup) {}

LButtonGroupPanel::~LButtonGroupPanel() = default;

RCPtr<LControl>& LButtonGroupPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                           const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LButtonGroupPanel>(result, parent, descriptor);
}

void LButtonGroupPanel::CollectTiles() { CollectBankedTiles(kLayout, "LButtonGroupPanel::Initialize"); }

}  // namespace HV
