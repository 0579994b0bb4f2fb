#include "Panel/Engine/PresetEditorCommon/LKeyboardStatusChecker.h"

#include "Panel/Engine/PresetEditorCommon/LMidiCommKeyboardPorts.h"

namespace HV {

LKeyboardStatusChecker::LKeyboardStatusChecker(const RCPtr<LMidiDeviceStatusChecker>& checker)
    : mChecker(checker) {
  StringArrayW inputs;
  inputs.AddItem(StringW(LMidiCommKeyboardPorts::kInputName));
  mChecker->RecordInputDevices(inputs);
  StringArrayW outputs;
  outputs.AddItem(StringW(LMidiCommKeyboardPorts::kOutputName));
  mChecker->RecordOutputDevices(outputs);
}

}  // namespace HV
