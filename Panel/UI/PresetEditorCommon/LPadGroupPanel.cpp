#include "Panel/UI/PresetEditorCommon/LPadGroupPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"

namespace HV {
namespace {

constexpr GroupKind kPadGroup{u"padEditPanel", "Cannot find child padEditPanel", LDeviceView::kPadPanel, false,
                              "LPadGroupPanel::Initialize", true};

}  // namespace

LPadGroupPanel::LPadGroupPanel(LControl* parent, const StringW& name) : LElementGroupPanel(parent, name, kPadGroup) {}

LPadGroupPanel::~LPadGroupPanel() = default;

RCPtr<LControl>& LPadGroupPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                        const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LPadGroupPanel>(result, parent, descriptor);
}

void LPadGroupPanel::CollectTiles() {
  const RCPtr<LControl> self(this);
  for (uint32_t n = 1; n <= kLayout.perBank; ++n) AppendTile(self, NumberedName(kLayout.tileStem, n));
}

}  // namespace HV
