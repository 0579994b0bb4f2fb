#pragma once

#include "Panel/UI/OrvaneSeriesCommon/MoveableControlRecord.h"

#include <cstdint>

namespace HV::ButtonMessageRecord {

// The ten bytes of the message a switch-like element sends (push buttons,
// pads, the sustain pedal). Bytes 2 to 9 mean what the message type says.
inline constexpr uint32_t kLength = 10;
inline constexpr uint32_t kMidiChannel = 0;   // channel choice (0 global, 1-16, 17-20 zones, 21 omni)
inline constexpr uint32_t kMessageGroup = 1;  // 0 controller with down/up values, 1 the types below
inline constexpr uint32_t kNumber = 2;        // controller number, or the message type
inline constexpr uint32_t kData1 = 3;         // controller, note, program or data value
inline constexpr uint32_t kValue1 = 4;        // first value, UP, OFF, MIN, bank LSB, MMC command
inline constexpr uint32_t kSkipValue2 = 5;    // 1: the second cycle slot is not used
inline constexpr uint32_t kValue2 = 6;
inline constexpr uint32_t kSkipValue3 = 7;  // 1: the third cycle slot is not used
inline constexpr uint32_t kValue3 = 8;
inline constexpr uint32_t kLastValue = 9;  // last value, DOWN, ON, MAX, bank MSB

// Message types (byte kNumber under message group 1). 0 to 16 are those of
// the continuous controls; 17 to 29 are the switches' own.
using MoveableControlRecord::kChannelPressure;
using MoveableControlRecord::kNrpnCoarse;
using MoveableControlRecord::kNrpnFine;
using MoveableControlRecord::kPitchBend;
using MoveableControlRecord::kRpnCoarse;
using MoveableControlRecord::kRpnFine;
inline constexpr int kProgramChange = 17;
inline constexpr int kCcCycle = 18;
inline constexpr int kNote = 19;
inline constexpr int kNoteLatching = 20;
inline constexpr int kMmc = 21;
inline constexpr int kCcDecrement = 25;
inline constexpr int kCcIncrement = 26;
inline constexpr int kProgramDecrement = 27;
inline constexpr int kProgramIncrement = 28;
inline constexpr int kProgramCycle = 29;

// MMC commands: list entries 0-10 send 1-11, entry 11 ("MMC Reset") sends 13.
inline constexpr int kMmcReset = 13;
inline constexpr int32_t kMmcResetEntry = 11;
inline constexpr int32_t kMmcTableEntries = 12;  // entries with a command of their own

// The list entry of an MMC command, or -1 for a command outside the list.
inline constexpr int32_t MmcEntryOf(int command) {
  if (command == kMmcReset) return kMmcResetEntry;
  return command >= 1 && command <= kMmcResetEntry ? command - 1 : -1;
}
inline constexpr int MmcCommandOf(int32_t entry) { return entry == kMmcResetEntry ? kMmcReset : entry + 1; }

}  // namespace HV::ButtonMessageRecord
