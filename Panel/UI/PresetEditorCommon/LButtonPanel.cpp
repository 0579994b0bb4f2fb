#include "Panel/UI/PresetEditorCommon/LButtonPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/UI/PresetEditorCommon/LButtonGroupPanel.h"

namespace HV {
namespace {

constexpr SwitchTileKind kButtonTile{
    {ColoredSwitchRecord::kPushButtonLength, "child: viewPanel not found", "LButtonPanel::Initialize"},
    ColoredSwitchRecord::kPushButtonColors,
    u"buttonNumberLabel",
    LButtonGroupPanel::kLayout,
    "Cannot find child: buttonNumberLabel",
    "LButtonPanel::SetFirstParamID",
    "child: color not found"};

}  // namespace

LButtonPanel::LButtonPanel(LControl* parent, const StringW& name) : LColoredSwitchPanel(parent, name, kButtonTile) {}

LButtonPanel::~LButtonPanel() = default;

RCPtr<LControl>& LButtonPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                      const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LButtonPanel>(result, parent, descriptor);
}

}  // namespace HV
