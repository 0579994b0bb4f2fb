#include "Panel/UI/PresetEditorCommon/LFaderPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/UI/OrvaneSeriesCommon/MoveableControlRecord.h"
#include "Panel/UI/PresetEditorCommon/BankedElements.h"
#include "Panel/UI/PresetEditorCommon/LFaderGroupPanel.h"

namespace HV {
namespace {

constexpr TileKind kFaderTile{MoveableControlRecord::kLength, "cannot find child viewPanel",
                                "LFaderPanel::Initialize"};

}  // namespace

LFaderPanel::LFaderPanel(LControl* parent, const StringW& name) : LElementTilePanel(parent, name, kFaderTile) {}

LFaderPanel::~LFaderPanel() = default;

RCPtr<LControl>& LFaderPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                       const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LFaderPanel>(result, parent, descriptor);
}

void LFaderPanel::WriteNumber(int32_t index) {
  WriteTileNumber(*this, u"faderNumberLabel", LFaderGroupPanel::kLayout, index,
                  "Cannot find child: faderNumberLabel", "LFaderPanel::SetFirstParamID");
}

}  // namespace HV
