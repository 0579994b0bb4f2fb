#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementGroupInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/PresetEditorCommon/BankedElements.h"
#include "Panel/UI/PresetEditorCommon/LElementGroupPanel.h"
#include "Panel/UI/PresetEditorCommon/LPadEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LPadPanel.h"

namespace HV {

// LPadGroupPanel: "pads", the 16 pad tiles "pad1" to "pad16". A click binds
// the pad edit panel to the pad before the device view shows it; without
// the edit panel the group fails at Initialize (Null Pointer) rather than
// at the first click.
class LPadGroupPanel : public LElementGroupPanel<IPads, LPadPanel, LPadEditPanel> {
 public:
  LPadGroupPanel(LControl* parent, const StringW& name);
  ~LPadGroupPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // One row of sixteen, the tiles being direct children of the group.
  static constexpr BankLayout kLayout{1, 16, u"", u"pad"};

 protected:
  void CollectTiles() override;
};

}  // namespace HV
