#include "Panel/UI/PresetEditorCommon/LSustainPedalPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/UI/PresetEditorCommon/SustainPedalRecord.h"

namespace HV {
namespace {

constexpr TileKind kSustainPedalTile{SustainPedalRecord::kLength, "child: viewPanel not found",
                                     "LSustainPedalPanel::Initialize"};

}  // namespace

LSustainPedalPanel::LSustainPedalPanel(LControl* parent, const StringW& name)
    : LElementTilePanel(parent, name, kSustainPedalTile) {}

LSustainPedalPanel::~LSustainPedalPanel() = default;

RCPtr<LControl>& LSustainPedalPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                            const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LSustainPedalPanel>(result, parent, descriptor);
}

ElementRecord LSustainPedalPanel::ToViewRecord(const ElementRecord& record) const {
  return SustainPedalRecord::ToButtonMessage(record);
}

}  // namespace HV
