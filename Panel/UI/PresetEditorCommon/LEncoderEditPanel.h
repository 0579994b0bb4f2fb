#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/OrvaneSeriesCommon/LMoveableControlEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LElementEditPanel.h"

namespace HV {

// LEncoderEditPanel: "knobEditPanel", the edit panel of the encoder chosen,
// titled "ENCODER n" and "BANK m".
class LEncoderEditPanel : public LElementEditPanel<IEncoder, LMoveableControlEditPanel> {
 public:
  LEncoderEditPanel(LControl* parent, const StringW& name);
  ~LEncoderEditPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // The titles for the encoder at index; nothing for 32 or more.
  virtual void SetEncoderLabelText(uint32_t index);

 protected:
  void WriteTitle(int32_t index) override { SetEncoderLabelText(static_cast<uint32_t>(index)); }
};

}  // namespace HV
