#include "Panel/UI/PresetEditorCommon/LEncoderPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/UI/OrvaneSeriesCommon/MoveableControlRecord.h"
#include "Panel/UI/PresetEditorCommon/BankedElements.h"
#include "Panel/UI/PresetEditorCommon/LEncoderGroupPanel.h"

namespace HV {
namespace {

constexpr TileKind kEncoderTile{MoveableControlRecord::kLength, "cannot find child viewPanel",
                                "LEncoderPanel::Initialize"};

}  // namespace

LEncoderPanel::LEncoderPanel(LControl* parent, const StringW& name) : LElementTilePanel(parent, name, kEncoderTile) {}

LEncoderPanel::~LEncoderPanel() = default;

RCPtr<LControl>& LEncoderPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                       const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LEncoderPanel>(result, parent, descriptor);
}

void LEncoderPanel::WriteNumber(int32_t index) {
  WriteTileNumber(*this, u"encoderNameLabel", LEncoderGroupPanel::kLayout, index,
                  "Couldn't find child encoderNameLabel", "LEncoderPanel::SetFirstParamID");
}

}  // namespace HV
