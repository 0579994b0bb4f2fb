#pragma once

#include "HVFramework/ControlBase/Skin/ControlFactory/LControlDescriptor.h"
#include "HVFramework/ControlBase/Views/LPanel.h"
#include "Panel/UI/PresetEditorCommon/ElementRecord.h"

namespace HV {

// LButtonControlViewPanel: a tile's read-only summary of a switch's ten-byte
// message record: the channel (its "midiChannel" view) and a two-line text
// for the message ("infoLabel": "CC:" over the controller number, "PG:" over
// the program, "NT:" over the note, "PLAY", "SYSEX" and the like).
class LButtonControlViewPanel : public LPanel {
 public:
  LButtonControlViewPanel(LControl* parent, const StringW& name);
  ~LButtonControlViewPanel() override;
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

  // A record of another length than ten changes nothing; missing children are skipped.
  virtual void SetParamRecord(const ElementRecord& record);

  // The info text of a ten-byte record (normalised as the editor shows it)
  // from the label's strings.
  static StringW InfoText(const LControl& label, const ElementRecord& record);
  // The string id of an MMC command's text, chosen by its place in the MMC
  // list: "MMC_OTHER_LABEL" for a command outside it.
  static const char16_t* MmcLabelId(int command);
};

}  // namespace HV
