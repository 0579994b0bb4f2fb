#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace HV::Platform {

// LMidiShortMessage: the lengths of short MIDI messages and their packed form
// (status in bits 0-7, first data byte in 8-15, second in 16-23).
class LMidiShortMessage {
 public:
  // Bytes of the message that `status` starts: 3 for 8x-Bx, Ex and F2; 2 for
  // Cx, Dx, F1 and F3; 1 for F4-F6 and F8-FF; 0 for F0, F7 and data bytes,
  // which start no short message.
  static uint32_t GetLength(uint8_t status);

  // Packs the bytes present (at most 3); absent bytes are 0.
  static uint32_t Pack(std::span<const uint8_t> bytes);
  // The message's bytes by its status byte; empty when it starts none.
  static std::vector<uint8_t> Unpack(uint32_t message);
};

}  // namespace HV::Platform
