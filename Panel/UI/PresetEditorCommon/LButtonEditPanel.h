#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/PresetEditorCommon/LColoredSwitchEditPanel.h"

namespace HV {

// LButtonEditPanel: "buttonEditPanel", the edit panel of the push button
// chosen, titled "BUTTON n" and "BANK m", with three pages: the message
// ("midiPage"), the four colours and the HID colour ("colorPage"), the HID
// key and modifier ("asciiPage"). It asks for the button's value before it
// writes the titles, and refuses a record of another length than 17.
class LButtonEditPanel : public LColoredSwitchEditPanel<IPushButton> {
 public:
  // Positions of the lists among the panel's choices.
  enum Choice : uint32_t { kColor1 = 0, kColor4 = 3, kHidKey = 4, kHidModifier = 5, kHidColor = 6 };

  LButtonEditPanel(LControl* parent, const StringW& name);
  ~LButtonEditPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // The titles for the button at index; nothing for 36 or more.
  virtual void SetButtonLabelText(uint32_t index);

 protected:
  void WriteTitle(int32_t index) override { SetButtonLabelText(static_cast<uint32_t>(index)); }
};

}  // namespace HV
