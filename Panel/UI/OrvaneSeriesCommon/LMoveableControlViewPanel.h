#pragma once

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "Panel/UI/PresetEditorCommon/ElementRecord.h"

namespace HV {

// LMoveableControlViewPanel: a tile's read-only summary of a continuous
// control's six-byte record: the channel (its "midiChannel" view) and a
// short text for the message ("infoLabel": "CC:" over the controller
// number, "NRPN:" over the parameter number, "SYSEX" and the like).
class LMoveableControlViewPanel : public LPanel {
 public:
  LMoveableControlViewPanel(LControl* parent, const StringW& name);
  ~LMoveableControlViewPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // A record of another length than six changes nothing; missing children are skipped.
  virtual void SetParamRecord(const ElementRecord& record);

  // The info text of a six-byte record from the label's strings.
  static StringW InfoText(const LControl& label, const ElementRecord& record);
};

}  // namespace HV
