#include "Panel/UI/PresetEditorCommon/LPadPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/UI/PresetEditorCommon/LPadGroupPanel.h"

namespace HV {
namespace {

constexpr SwitchTileKind kPadTile{
    {ColoredSwitchRecord::kPadLength, "child: viewPanel not found", "LPadPanel::Initialize"},
    ColoredSwitchRecord::kPadColors,
    u"padNumberLabel",
    LPadGroupPanel::kLayout,
    "Cannot find child: padNumberLabel",
    "LPadPanel::SetFirstParamID",
    "child: color not found"};

}  // namespace

LPadPanel::LPadPanel(LControl* parent, const StringW& name) : LColoredSwitchPanel(parent, name, kPadTile) {}

LPadPanel::~LPadPanel() = default;

RCPtr<LControl>& LPadPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                   const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LPadPanel>(result, parent, descriptor);
}

}  // namespace HV
