#pragma once

#include <cstdint>

namespace HV {

// LMidiMessageLength: how many bytes a short MIDI message has, read from its
// first byte. Sending and capturing count differently: a send answers how
// many bytes it put on the wire (0 for the System Exclusive markers, which go
// out as long messages); a capture keeps the bytes of the packed word that
// belong to the message, at least one.
class LMidiMessageLength {
 public:
  // 3 for 8x-Bx, Ex and F2; 2 for Cx, Dx, F1, F3, F4 and F5; 0 for F0 and F7;
  // 1 for F6, F8-FF and data bytes.
  static uint32_t GetShortMessageLength(uint8_t first);
  // 3 for 8x-Bx, Ex and F2; 2 for Cx, Dx, F1 and F3; 1 for every other byte.
  static uint32_t GetCapturedMessageLength(uint8_t first);
};

}  // namespace HV
