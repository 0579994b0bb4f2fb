#include "Panel/UI/PresetEditorCommon/LVolumePedalPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/UI/OrvaneSeriesCommon/MoveableControlRecord.h"

namespace HV {
namespace {

constexpr TileKind kVolumePedalTile{MoveableControlRecord::kLength, "cannot find child viewPanel",
                                    "LVolumePedalPanel::Initialize"};

}  // namespace

LVolumePedalPanel::LVolumePedalPanel(LControl* parent, const StringW& name)
    : LElementTilePanel(parent, name, kVolumePedalTile) {}

LVolumePedalPanel::~LVolumePedalPanel() = default;

RCPtr<LControl>& LVolumePedalPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                           const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LVolumePedalPanel>(result, parent, descriptor);
}

}  // namespace HV
