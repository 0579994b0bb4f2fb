#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementGroupInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/OrvaneSeriesCommon/LKeybedZoneEditPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LKeybedZonePanel.h"
#include "Panel/UI/PresetEditorCommon/LElementGroupPanel.h"

namespace HV {

// LKeybedZoneGroupPanel: "keybedZones", the tiles "zone1" to "zone4". A click
// on a tile shows "zoneEditPanel" bound to that zone. The tiles name their
// keys as the edit panel's zone note selector does; the group hands them
// those names once, and fails without them.
class LKeybedZoneGroupPanel
    : public LElementGroupPanel<IKeybedZones, LKeybedZonePanel, LKeybedZoneEditPanel> {
 public:
  LKeybedZoneGroupPanel(LControl* parent, const StringW& name);
  ~LKeybedZoneGroupPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

 protected:
  void CollectTiles() override;
};

}  // namespace HV
