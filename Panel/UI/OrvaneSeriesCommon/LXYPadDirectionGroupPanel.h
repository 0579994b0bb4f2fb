#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementGroupInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/OrvaneSeriesCommon/LXYPadDirectionPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LXYPadEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LElementGroupPanel.h"

namespace HV {

// LXYPadDirectionGroupPanel: "xyPad", the X/Y pad's two axes, the tiles
// "xAxis" (index 0) and "yAxis" (index 1); a click shows "xyPadEditPanel"
// bound to that axis.
class LXYPadDirectionGroupPanel : public LElementGroupPanel<ITouchPadAxises, LXYPadDirectionPanel, LXYPadEditPanel> {
 public:
  LXYPadDirectionGroupPanel(LControl* parent, const StringW& name);
  ~LXYPadDirectionGroupPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

 protected:
  void CollectTiles() override;
};

}  // namespace HV
