#include "Panel/UI/PresetEditorCommon/LWheelPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/UI/PresetEditorCommon/WheelRecord.h"

namespace HV {
namespace {

constexpr TileKind kWheelTile{WheelRecord::kLength, "cannot find child viewPanel", "LWheelPanel::Initialize"};

}  // namespace

LWheelPanel::LWheelPanel(LControl* parent, const StringW& name) : LElementTilePanel(parent, name, kWheelTile) {}

LWheelPanel::~LWheelPanel() = default;

RCPtr<LControl>& LWheelPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                     const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LWheelPanel>(result, parent, descriptor);
}

ElementRecord LWheelPanel::ToViewRecord(const ElementRecord& record) const { return WheelRecord::ToMoveable(record); }

}  // namespace HV
