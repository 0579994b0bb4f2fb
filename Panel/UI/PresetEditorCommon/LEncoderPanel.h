#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/OrvaneSeriesCommon/LMoveableControlViewPanel.h"
#include "Panel/UI/PresetEditorCommon/LElementTilePanel.h"

namespace HV {

// LEncoderPanel: the tile of one of the 32 encoders ("encoder1" to
// "encoder8" in each bank), numbered E1 to E8 within its bank.
class LEncoderPanel : public LElementTilePanel<IEncoder, LMoveableControlViewPanel> {
 public:
  LEncoderPanel(LControl* parent, const StringW& name);
  ~LEncoderPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

 protected:
  // "encoderNameLabel"'s own text ("E%d") formatted with the number in the bank.
  void WriteNumber(int32_t index) override;
};

}  // namespace HV
