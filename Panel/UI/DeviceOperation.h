#pragma once

// Device operations of the editor's dialogs: a transfer that may wait
// seconds for the keyboard runs on the application's busy runner, so the
// windows paint on and no second transfer starts meanwhile. User-interface
// thread only.

#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <functional>
#include <optional>

namespace HV {

class LMidiManager;

// Tells the user that another transfer runs; captionId names the caption in
// the application's string table.
void ShowDeviceBusyBox(const WChar* captionId);

// Runs operation with the program's MIDI manager on the busy runner and
// answers its result: -1 without a manager or an application; none when
// another operation runs (the busy box has been shown).
std::optional<HResult> RunDeviceOperation(const std::function<HResult(LMidiManager&)>& operation,
                                          const WChar* busyCaptionId);

}  // namespace HV
