#include "Panel/UI/PresetEditorCommon/LFaderGroupPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"

namespace HV {
namespace {

constexpr GroupKind kFaderGroup{u"faderEditPanel", "faderEditPanel knob found", LDeviceView::kFaderPanel, true,
                                  "LFaderGroupPanel::Initialize"};

}  // namespace

LFaderGroupPanel::LFaderGroupPanel(LControl* parent, const StringW& name)
    : LElementGroupPanel(parent, name, kFaderGroup) {}

LFaderGroupPanel::~LFaderGroupPanel() = default;

RCPtr<LControl>& LFaderGroupPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                            const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LFaderGroupPanel>(result, parent, descriptor);
}

void LFaderGroupPanel::CollectTiles() { CollectBankedTiles(kLayout, "LFaderGroupPanel::Initialize"); }

}  // namespace HV
