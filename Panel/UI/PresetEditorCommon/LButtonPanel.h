#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/PresetEditorCommon/LColoredSwitchPanel.h"

namespace HV {

// LButtonPanel: the tile of one of the 36 push buttons ("button1" to
// "button9" in each bank), numbered B1 to B9 within its bank, with its
// 17-byte record's message and colours.
class LButtonPanel : public LColoredSwitchPanel<IPushButton> {
 public:
  LButtonPanel(LControl* parent, const StringW& name);
  ~LButtonPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);
};

}  // namespace HV
