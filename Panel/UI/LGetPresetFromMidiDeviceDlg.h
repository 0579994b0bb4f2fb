#pragma once

// LGetPresetFromMidiDeviceDlg: fetches the preset of the keyboard slot its
// list selects ("RAM", "Preset 1" .. "Preset 12") into the editor when its
// "getButton" is pressed, and says how it went. The manager writes the
// fetched values into the engine, whose announcements bring them to the
// panels.

#include "Panel/UI/LPresetTransferDlg.h"

namespace HV {

class LGetPresetFromMidiDeviceDlg : public LPresetTransferDlg {
 public:
  LGetPresetFromMidiDeviceDlg(LControl* parent, const StringW& name);
  static RCPtr<LControl>& Create(RCPtr<LControl>& result, const RCPtr<LControl>& parent,
                                 const RCPtr<LControlDescriptor>& descriptor);

 protected:
  HResult Transfer(LMidiManager& manager, int32_t slot) override;
};

}  // namespace HV
