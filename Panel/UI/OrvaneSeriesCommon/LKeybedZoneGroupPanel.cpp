#include "Panel/UI/OrvaneSeriesCommon/LKeybedZoneGroupPanel.h"

#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "Panel/UI/PresetEditorCommon/BankedElements.h"

namespace HV {
namespace {

constexpr GroupKind kZoneGroup{u"zoneEditPanel", "zoneEditPanel not found", LDeviceView::kKeybedZonePanel,
                               false, "LKeybedZoneGroupPanel::Initialize"};

}  // namespace

LKeybedZoneGroupPanel::LKeybedZoneGroupPanel(LControl* parent, const StringW& name)
    : LElementGroupPanel(parent, name, kZoneGroup) {}

LKeybedZoneGroupPanel::~LKeybedZoneGroupPanel() = default;

RCPtr<LControl>& LKeybedZoneGroupPanel::Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                               const RCPtr<LControlDescriptor>& descriptor) {
  return CreateControlOfClass<LKeybedZoneGroupPanel>(result, parent, descriptor);
}

void LKeybedZoneGroupPanel::CollectTiles() {
  const KeyNames& names = GetEditPanel()->GetKeyNames();
  if (names.IsEmpty())
    ThrowNullPointer("zoneEditPanel has no key names", HV_HERE("LKeybedZoneGroupPanel::Initialize"));
  const RCPtr<LControl> self(this);
  for (uint32_t n = 1; n <= static_cast<uint32_t>(kCount); ++n) AppendTile(self, NumberedName(u"zone", n));
  for (uint32_t i = 0; i < GetTileCount(); ++i)
    if (const RCPtr<LKeybedZonePanel> tile = GetTile(i)) tile->SetKeyNames(names);
}

}  // namespace HV
