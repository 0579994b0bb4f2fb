#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/OrvaneSeriesCommon/LButtonControlViewPanel.h"
#include "Panel/UI/PresetEditorCommon/LElementTilePanel.h"

namespace HV {

// LSustainPedalPanel: "sustainPedal", the sustain pedal's tile; it shows the
// pedal's six bytes in the ten-byte layout of the button-control view, with
// the middle cycle slots filled as the edit panel fills them.
class LSustainPedalPanel : public LElementTilePanel<ISustainPedal, LButtonControlViewPanel> {
 public:
  LSustainPedalPanel(LControl* parent, const StringW& name);
  ~LSustainPedalPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

 protected:
  ElementRecord ToViewRecord(const ElementRecord& record) const override;
};

}  // namespace HV
