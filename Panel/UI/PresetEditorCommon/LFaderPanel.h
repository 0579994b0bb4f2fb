#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/OrvaneSeriesCommon/LMoveableControlViewPanel.h"
#include "Panel/UI/PresetEditorCommon/LElementTilePanel.h"

namespace HV {

// LFaderPanel: the tile of one of the 36 faders ("fader1" to "fader9" in
// each bank), numbered F1 to F9 within its bank.
class LFaderPanel : public LElementTilePanel<IFader, LMoveableControlViewPanel> {
 public:
  LFaderPanel(LControl* parent, const StringW& name);
  ~LFaderPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

 protected:
  // "faderNumberLabel"'s own text ("F%d") formatted with the number in the bank.
  void WriteNumber(int32_t index) override;
};

}  // namespace HV
