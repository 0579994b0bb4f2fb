#pragma once

// LSendPresetToMidiDeviceDlg: writes the edited preset into the keyboard
// slot its list selects ("RAM", "Preset 1" .. "Preset 12") when its "send"
// button is pressed, and says how it went.

#include "Panel/UI/LPresetTransferDlg.h"

namespace HV {

class LSendPresetToMidiDeviceDlg : public LPresetTransferDlg {
 public:
  LSendPresetToMidiDeviceDlg(LControl* parent, const StringW& name);
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

 protected:
  HResult Transfer(LMidiManager& manager, int32_t slot) override;
};

}  // namespace HV
