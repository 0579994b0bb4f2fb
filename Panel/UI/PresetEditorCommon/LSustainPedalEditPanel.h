#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/OrvaneSeriesCommon/LButtonControlEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LElementEditPanel.h"

namespace HV {

// LSustainPedalEditPanel: "sustainEditPage", the sustain pedal's own edit
// panel. It edits the pedal's six bytes in the ten-byte layout of the
// button-control editor and sends the six back (bytes 0-4 and 9). The six
// bytes hold one value pair, so the editor's cycle pages offer two values only.
class LSustainPedalEditPanel : public LElementEditPanel<ISustainPedal, LButtonControlEditPanel> {
 public:
  LSustainPedalEditPanel(LControl* parent, const StringW& name);
  ~LSustainPedalEditPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  HResult Initialize() override;

 protected:
  // Its title ("SUSTAIN") is fixed in the skin.
  void WriteTitle(int32_t /*index*/) override {}
  ElementRecord ToEditorRecord(const ElementRecord& record) const override;
  ElementRecord FromEditorRecord(const ElementRecord& record) const override;
};

}  // namespace HV
