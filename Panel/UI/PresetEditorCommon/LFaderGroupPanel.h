#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementGroupInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/PresetEditorCommon/BankedElements.h"
#include "Panel/UI/PresetEditorCommon/LElementGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LFaderEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LFaderPanel.h"

namespace HV {

// LFaderGroupPanel: "faders", the 36 fader tiles in the banks
// "faderBank1" to "faderBank4", the tile at index i being fader
// (i mod 9) + 1 of bank (i div 9) + 1. It listens to its edit panel's
// visibility from the first click on.
class LFaderGroupPanel : public LElementGroupPanel<IFaders, LFaderPanel, LFaderEditPanel> {
 public:
  LFaderGroupPanel(LControl* parent, const StringW& name);
  ~LFaderGroupPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  static constexpr BankLayout kLayout{4, 9, u"faderBank", u"fader"};

 protected:
  void CollectTiles() override;
};

}  // namespace HV
