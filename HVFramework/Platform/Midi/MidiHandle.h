#pragma once

#include "HVFramework/Platform/Midi/MidiResult.h"

#include <cstdint>

namespace HV::Platform {

// Handles of open MIDI devices. 0 is "no handle"; a closed handle is never
// handed out again by the same device system.
enum class MidiInHandle : uint64_t { None = 0 };
enum class MidiOutHandle : uint64_t { None = 0 };

// What an open returns: the result number and, on success, the handle.
template <class Handle>
struct MidiOpened {
  MidiResult result = kMidiError;
  Handle handle = Handle::None;
};

}  // namespace HV::Platform
