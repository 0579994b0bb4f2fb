#include "Panel/UI/PresetEditorCommon/LWheelGroupPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"

namespace HV {
namespace {

// Without "viewDevice" there is no edit panel to bind: the Null Pointer
// failure, as for the other groups, rather than a null edit panel later.
constexpr GroupKind kWheelGroup{u"wheelEditPanel", "Cannot find child: wheelEditPanel", LDeviceView::kWheelPanel,
                                false, "LWheelGroupPanel::Initialize"};

}  // namespace

LWheelGroupPanel::LWheelGroupPanel(LControl* parent, const StringW& name)
    : LElementGroupPanel(parent, name, kWheelGroup) {}

LWheelGroupPanel::~LWheelGroupPanel() = default;

RCPtr<LControl>& LWheelGroupPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                          const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LWheelGroupPanel>(result, parent, descriptor);
}

void LWheelGroupPanel::CollectTiles() {
  const RCPtr<LControl> self(this);
  AppendTile(self, StringW(u"pitchWheel"));
  AppendTile(self, StringW(u"modWheel"));
}

}  // namespace HV
