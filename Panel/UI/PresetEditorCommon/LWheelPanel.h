#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/OrvaneSeriesCommon/LMoveableControlViewPanel.h"
#include "Panel/UI/PresetEditorCommon/LElementTilePanel.h"

namespace HV {

// LWheelPanel: the tile of the pitch or the modulation wheel. It shows the
// wheel's five-byte record in the six-byte layout of its view.
class LWheelPanel : public LElementTilePanel<IWheel, LMoveableControlViewPanel> {
 public:
  LWheelPanel(LControl* parent, const StringW& name);
  ~LWheelPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

 protected:
  ElementRecord ToViewRecord(const ElementRecord& record) const override;
};

}  // namespace HV
