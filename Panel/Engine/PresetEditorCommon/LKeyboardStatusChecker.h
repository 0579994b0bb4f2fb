#pragma once

#include "HVFramework/Midi/LMidiDeviceStatusChecker.h"
#include "Panel/Engine/PresetEditorCommon/IDeviceStatusChecker.h"

namespace HV {

// LKeyboardStatusChecker: the port layer's device-status checker watching
// the keyboard's protocol ports, as the MIDI manager's poll runs it. Takes
// its first inventory when made, so the state at start is not announced.
class LKeyboardStatusChecker : public IDeviceStatusChecker {
 public:
  explicit LKeyboardStatusChecker(const RCPtr<LMidiDeviceStatusChecker>& checker);

  bool CheckInputDevices() override { return mChecker->CheckInputDevices(); }
  bool CheckOutputDevices() override { return mChecker->CheckOutputDevices(); }

 private:
  const RCPtr<LMidiDeviceStatusChecker> mChecker;
};

}  // namespace HV
