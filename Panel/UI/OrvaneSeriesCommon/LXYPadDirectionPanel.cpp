#include "Panel/UI/OrvaneSeriesCommon/LXYPadDirectionPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/UI/OrvaneSeriesCommon/TouchPadAxisRecord.h"

namespace HV {
namespace {

constexpr TileKind kAxisTile{TouchPadAxisRecord::kLength, "cannot find child viewPanel",
                             "LXYPadDirectionPanel::Initialize"};

}  // namespace

LXYPadDirectionPanel::LXYPadDirectionPanel(LControl* parent, const StringW& name)
    : LElementTilePanel(parent, name, kAxisTile) {}

LXYPadDirectionPanel::~LXYPadDirectionPanel() = default;

RCPtr<LControl>& LXYPadDirectionPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                              const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LXYPadDirectionPanel>(result, parent, descriptor);
}

ElementRecord LXYPadDirectionPanel::ToViewRecord(const ElementRecord& record) const {
  return TouchPadAxisRecord::MidiPart(record);
}

}  // namespace HV
