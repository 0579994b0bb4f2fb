#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/OrvaneSeriesCommon/LMoveableControlEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LElementEditPanel.h"

namespace HV {

// LWheelEditPanel: "wheelEditPanel", the edit panel of the wheel chosen,
// titled "P. WHEEL" or "M. WHEEL". It edits the wheel's five bytes in the
// six-byte layout of the moveable-control editor (relative mode always 0)
// and sends the five bytes back.
class LWheelEditPanel : public LElementEditPanel<IWheel, LMoveableControlEditPanel> {
 public:
  LWheelEditPanel(LControl* parent, const StringW& name);
  ~LWheelEditPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // Also needs its "wheelName" title.
  HResult Initialize() override;

 protected:
  void WriteTitle(int32_t index) override;
  ElementRecord ToEditorRecord(const ElementRecord& record) const override;
  ElementRecord FromEditorRecord(const ElementRecord& record) const override;
};

}  // namespace HV
