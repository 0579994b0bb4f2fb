#pragma once

#include <cstdint>

namespace HV::Platform {

struct MidiHeader;

// Kinds of callback the device layer makes, numbered as the framework's MIDI
// code expects them.
enum class MidiEventKind : uint32_t {
  InputData = 0x3C3,       // a short message in `message`
  InputLongData = 0x3C4,   // `header` comes back with bytesRecorded bytes
  InputError = 0x3C5,      // a malformed short message in `message`
  InputLongError = 0x3C6,  // `header` comes back with an incomplete message
  OutputDone = 0x3C9,      // `header` of a long message was sent (or reset)
};

// One callback's arguments. `message` packs a short message as the status
// byte in bits 0-7 and the data bytes in bits 8-15 and 16-23. `timeStamp` is
// in milliseconds since the input was started.
struct MidiEvent {
  MidiEventKind kind = MidiEventKind::InputData;
  uint32_t message = 0;
  MidiHeader* header = nullptr;
  uint32_t timeStamp = 0;
};

}  // namespace HV::Platform
