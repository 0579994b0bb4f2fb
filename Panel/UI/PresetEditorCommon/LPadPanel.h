#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/PresetEditorCommon/LColoredSwitchPanel.h"

namespace HV {

// LPadPanel: the tile of one of the 16 pads ("pad1" to "pad16"), numbered
// P1 to P16, with its 14-byte record's message and colours.
class LPadPanel : public LColoredSwitchPanel<IPad> {
 public:
  LPadPanel(LControl* parent, const StringW& name);
  ~LPadPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
};

}  // namespace HV
