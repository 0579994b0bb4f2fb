#pragma once

#include <cstdint>

namespace HV::Platform {

// Result numbers of the MIDI device layer. The values are the ones the
// framework's MIDI code was written against, so it can pass them on and
// compare them unchanged: 0 is success, everything else a reason.
using MidiResult = uint32_t;

inline constexpr MidiResult kMidiNoError = 0;
inline constexpr MidiResult kMidiError = 1;             // unspecified failure
inline constexpr MidiResult kMidiBadDeviceId = 2;       // no device with that number
inline constexpr MidiResult kMidiNotEnabled = 3;
inline constexpr MidiResult kMidiAllocated = 4;         // the device is open already
inline constexpr MidiResult kMidiInvalidHandle = 5;
inline constexpr MidiResult kMidiNoDriver = 6;          // the device went away
inline constexpr MidiResult kMidiNoMemory = 7;
inline constexpr MidiResult kMidiInvalidParameter = 11;
inline constexpr MidiResult kMidiUnprepared = 64;       // header not prepared
inline constexpr MidiResult kMidiStillPlaying = 65;     // buffers still queued or in flight
inline constexpr MidiResult kMidiNotReady = 67;

}  // namespace HV::Platform
