#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/OrvaneSeriesCommon/LMoveableControlViewPanel.h"
#include "Panel/UI/PresetEditorCommon/LElementTilePanel.h"

namespace HV {

// LXYPadDirectionPanel: the tile of the X/Y pad's X or Y axis ("xAxis",
// "yAxis"). Its view shows the controller half of the axis's fifteen bytes;
// the notes are not shown on the tile.
class LXYPadDirectionPanel : public LElementTilePanel<ITouchPadAxis, LMoveableControlViewPanel> {
 public:
  LXYPadDirectionPanel(LControl* parent, const StringW& name);
  ~LXYPadDirectionPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

 protected:
  ElementRecord ToViewRecord(const ElementRecord& record) const override;
};

}  // namespace HV
