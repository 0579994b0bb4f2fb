#include "Panel/UI/PresetEditorCommon/LEncoderGroupPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"

namespace HV {
namespace {

constexpr GroupKind kEncoderGroup{u"knobEditPanel", "knobEditPanel knob found", LDeviceView::kEncoderPanel, false,
                                  "LEncoderGroupPanel::Initialize"};

}  // namespace

LEncoderGroupPanel::LEncoderGroupPanel(LControl* parent, const StringW& name)
    : LElementGroupPanel(parent, name, kEncoderGroup) {}

LEncoderGroupPanel::~LEncoderGroupPanel() = default;

RCPtr<LControl>& LEncoderGroupPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                            const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LEncoderGroupPanel>(result, parent, descriptor);
}

void LEncoderGroupPanel::CollectTiles() { CollectBankedTiles(kLayout, "LEncoderGroupPanel::Initialize"); }

}  // namespace HV
