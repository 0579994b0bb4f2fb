#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementGroupInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/PresetEditorCommon/BankedElements.h"
#include "Panel/UI/PresetEditorCommon/LButtonEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LButtonPanel.h"
#include "Panel/UI/PresetEditorCommon/LElementGroupPanel.h"

namespace HV {

// LButtonGroupPanel: "buttons", the 36 push-button tiles in the banks
// "buttonBank1" to "buttonBank4", the tile at index i being button
// (i mod 9) + 1 of bank (i div 9) + 1.
class LButtonGroupPanel : public LElementGroupPanel<IPushButtons, LButtonPanel, LButtonEditPanel> {
 public:
  LButtonGroupPanel(LControl* parent, const StringW& name);
  ~LButtonGroupPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  static constexpr BankLayout kLayout{4, 9, u"buttonBank", u"button"};

 protected:
  void CollectTiles() override;
};

}  // namespace HV
