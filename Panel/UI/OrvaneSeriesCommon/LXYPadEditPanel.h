#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/ElementInterface.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "Panel/UI/OrvaneSeriesCommon/LMoveableControlEditPanel.h"
#include "Panel/UI/OrvaneSeriesCommon/LNoteModeEditPanel.h"
#include "Panel/UI/PresetEditorCommon/LElementEditPanel.h"

namespace HV {

// LXYPadEditPanel: "xyPadEditPanel", the edit panel of the X/Y pad axis
// chosen, titled "X-AXIS" or "Y-AXIS". Its tab control holds two editors of
// the axis's fifteen bytes: the "midiPage" (the controller, bytes 0-5) and
// the "noteModePage" (the notes, bytes 6-14). A change on either page sends
// the whole record; which page is shown is not part of it.
class LXYPadEditPanel : public LElementEditPanel<ITouchPadAxis, LMoveableControlEditPanel> {
 public:
  LXYPadEditPanel(LControl* parent, const StringW& name);
  ~LXYPadEditPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // Also finds the note page and takes its changes as edits.
  HResult Initialize() override;

  RCPtr<LMoveableControlEditPanel> GetMidiPage() const { return GetEditor(); }
  RCPtr<LNoteModeEditPanel> GetNotePage() const { return mNotePage; }

 protected:
  RCPtr<LMoveableControlEditPanel> FindEditor() override;
  void WriteTitle(int32_t index) override;
  void ShowRecord(const ElementRecord& record) override;
  ElementRecord ReadRecord() override;

 private:
  RCPtr<LTabControl> FindTabControl();

  RCPtr<LNoteModeEditPanel> mNotePage;
};

}  // namespace HV
