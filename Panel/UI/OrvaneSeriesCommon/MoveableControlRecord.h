#pragma once

#include <cstdint>

namespace HV::MoveableControlRecord {

// The six bytes of a continuous control's message.
inline constexpr uint32_t kLength = 6;
inline constexpr uint32_t kMidiChannel = 0;   // channel choice (0 global, 1-16, 17-20 zones, 21 omni)
inline constexpr uint32_t kMessageGroup = 1;  // 0 controller, 1 the message types below
inline constexpr uint32_t kNumber = 2;        // controller number, or the message type
inline constexpr uint32_t kCcMode = 3;        // 1 relative controller
inline constexpr uint32_t kParam1 = 4;        // minimum, relative type or parameter LSB
inline constexpr uint32_t kParam2 = 5;        // maximum or parameter MSB

// Message types (byte kNumber under message group 1).
inline constexpr int kChannelPressure = 3;
inline constexpr int kRpnCoarse = 4;
inline constexpr int kRpnFine = 5;
inline constexpr int kNrpnCoarse = 6;
inline constexpr int kNrpnFine = 7;
inline constexpr int kPitchBend = 16;

}  // namespace HV::MoveableControlRecord
