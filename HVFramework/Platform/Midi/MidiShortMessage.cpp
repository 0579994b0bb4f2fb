#include "HVFramework/Platform/Midi/MidiShortMessage.h"

#include <algorithm>

namespace HV::Platform {

uint32_t LMidiShortMessage::GetLength(uint8_t status) {
  if (status < 0x80) return 0;
  if (status < 0xF0) return (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 2 : 3;
  switch (status) {
    case 0xF0:
    case 0xF7: return 0;
    case 0xF1:
    case 0xF3: return 2;
    case 0xF2: return 3;
    default: return 1;
  }
}

uint32_t LMidiShortMessage::Pack(std::span<const uint8_t> bytes) {
  uint32_t message = 0;
  const size_t count = std::min<size_t>(bytes.size(), 3);
  for (size_t i = 0; i < count; ++i) message |= uint32_t{bytes[i]} << (8 * i);
  return message;
}

std::vector<uint8_t> LMidiShortMessage::Unpack(uint32_t message) {
  const uint32_t length = GetLength(static_cast<uint8_t>(message));
  std::vector<uint8_t> bytes(length);
  for (uint32_t i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(message >> (8 * i));
  return bytes;
}

}  // namespace HV::Platform
