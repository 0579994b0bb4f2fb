#include "Panel/UI/PresetEditorCommon/LEncoderPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/Controls/LLabel.h"
#include "Panel/UI/OrvaneSeriesCommon/MoveableControlRecord.h"

namespace HV {
namespace {

constexpr TileKind kEncoderTile{MoveableControlRecord::kLength, "cannot find child viewPanel",
                                "LEncoderPanel::Initialize"};
constexpr int32_t kEncodersPerBank = 8;

}  // namespace

LEncoderPanel::LEncoderPanel(LControl* parent, const StringW& name) : LElementTilePanel(parent, name, kEncoderTile) {}

LEncoderPanel::~LEncoderPanel() = default;

RCPtr<LControl>& LEncoderPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                       const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LEncoderPanel>(result, parent, descriptor);
}

void LEncoderPanel::WriteNumber(int32_t index) {
  const RCPtr<LLabel> label = DynamicCast<LLabel>(FindChildControl(StringW(u"encoderNameLabel")));
  if (!label) ThrowNullPointer("Couldn't find child encoderNameLabel", HV_HERE("LEncoderPanel::SetFirstParamID"));
  label->SetText(StringW::FromFormat(label->GetText().GetText(), index % kEncodersPerBank + 1));
}

}  // namespace HV
