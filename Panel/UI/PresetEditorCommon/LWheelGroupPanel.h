#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementGroupInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/PresetEditorCommon/LElementGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LWheelEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LWheelPanel.h"

namespace HV {

// LWheelGroupPanel: "wheels", the tiles "pitchWheel" (index 0) and "modWheel" (index 1).
class LWheelGroupPanel : public LElementGroupPanel<IWheels, LWheelPanel, LWheelEditPanel> {
 public:
  LWheelGroupPanel(LControl* parent, const StringW& name);
  ~LWheelGroupPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

 protected:
  void CollectTiles() override;
};

}  // namespace HV
