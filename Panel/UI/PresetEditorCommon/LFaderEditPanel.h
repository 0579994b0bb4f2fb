#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/OrvaneSeriesCommon/LMoveableControlEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LElementEditPanel.h"

namespace HV {

// LFaderEditPanel: "faderEditPanel", the edit panel of the fader chosen,
// titled "FADER n" and "BANK m". It asks for the fader's value before it
// writes the titles.
class LFaderEditPanel : public LElementEditPanel<IFader, LMoveableControlEditPanel> {
 public:
  LFaderEditPanel(LControl* parent, const StringW& name);
  ~LFaderEditPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // Also needs its "faderName" title.
  HResult Initialize() override;
  // The titles for the fader at index; nothing for 36 or more.
  virtual void SetFaderLabelText(uint32_t index);

 protected:
  void WriteTitle(int32_t index) override { SetFaderLabelText(static_cast<uint32_t>(index)); }
};

}  // namespace HV
