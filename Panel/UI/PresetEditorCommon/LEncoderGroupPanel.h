#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementGroupInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/PresetEditorCommon/BankedElements.h"
#include "Panel/UI/PresetEditorCommon/LElementGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LEncoderEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LEncoderPanel.h"

namespace HV {

// LEncoderGroupPanel: "encoders", the 32 encoder tiles in the banks
// "encoderBank1" to "encoderBank4", the tile at index i being encoder
// (i mod 8) + 1 of bank (i div 8) + 1.
class LEncoderGroupPanel : public LElementGroupPanel<IEncoders, LEncoderPanel, LEncoderEditPanel> {
 public:
  LEncoderGroupPanel(LControl* parent, const StringW& name);
  ~LEncoderGroupPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  static constexpr BankLayout kLayout{4, 8, u"encoderBank", u"encoder"};

 protected:
  void CollectTiles() override;
};

}  // namespace HV
