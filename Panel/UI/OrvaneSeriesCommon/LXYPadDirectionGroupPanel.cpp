#include "Panel/UI/OrvaneSeriesCommon/LXYPadDirectionGroupPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"

namespace HV {
namespace {

// Without "viewDevice" there is no edit panel to bind: the Null Pointer
// failure, as for the other groups, rather than a null edit panel later.
constexpr GroupKind kAxisGroup{u"xyPadEditPanel", "Cannot find child xyPadEditPanel", LDeviceView::kXYPadPanel, false,
                               "LXYPadDirectionGroupPanel::Initialize"};

}  // namespace

LXYPadDirectionGroupPanel::LXYPadDirectionGroupPanel(LControl* parent, const StringW& name)
    : LElementGroupPanel(parent, name, kAxisGroup) {}

LXYPadDirectionGroupPanel::~LXYPadDirectionGroupPanel() = default;

RCPtr<LControl>& LXYPadDirectionGroupPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                                   const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LXYPadDirectionGroupPanel>(result, parent, descriptor);
}

void LXYPadDirectionGroupPanel::CollectTiles() {
  const RCPtr<LControl> self(this);
  AppendTile(self, StringW(u"xAxis"));
  AppendTile(self, StringW(u"yAxis"));
}

}  // namespace HV
