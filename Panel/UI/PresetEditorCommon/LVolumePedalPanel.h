#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/OrvaneSeriesCommon/LMoveableControlViewPanel.h"
#include "Panel/UI/PresetEditorCommon/LElementTilePanel.h"

namespace HV {

// LVolumePedalPanel: "volumePedal", the volume pedal's tile; it shows the
// pedal's six-byte continuous-control record.
class LVolumePedalPanel : public LElementTilePanel<IVolumePedal, LMoveableControlViewPanel> {
 public:
  LVolumePedalPanel(LControl* parent, const StringW& name);
  ~LVolumePedalPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
};

}  // namespace HV
