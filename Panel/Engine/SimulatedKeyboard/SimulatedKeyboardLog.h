#pragma once

// The simulated keyboard's log as text, one line per message or reply (the
// raw pieces left out): the time stamp, what it was, and for the editor's
// requests and settings the slot or the setting's wire index and value.
// Any thread.

#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboard.h"

#include <string>
#include <vector>

namespace HV::Simulated {

std::string FormatKeyboardLog(const std::vector<SimulatedKeyboard::LogEntry>& log);

}  // namespace HV::Simulated
