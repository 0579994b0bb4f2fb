#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/OrvaneSeriesCommon/LMoveableControlEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LElementEditPanel.h"

namespace HV {

// LVolumePedalEditPanel: "volumePedalEditPanel", the volume pedal's own edit
// panel; its six bytes go to the moveable-control editor and back unchanged.
class LVolumePedalEditPanel : public LElementEditPanel<IVolumePedal, LMoveableControlEditPanel> {
 public:
  LVolumePedalEditPanel(LControl* parent, const StringW& name);
  ~LVolumePedalEditPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

 protected:
  // Its title ("VOLUME") is fixed in the skin.
  void WriteTitle(int32_t /*index*/) override {}
};

}  // namespace HV
