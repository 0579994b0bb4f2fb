#include "HVFramework/Midi/LMidiMessageLength.h"

namespace HV {

namespace {

// Channel messages by their upper four bits; 0 for data bytes and F0-FF.
uint32_t ChannelMessageLength(uint8_t first) {
  switch (first >> 4) {
    case 0x8: case 0x9: case 0xA: case 0xB: case 0xE: return 3;
    case 0xC: case 0xD: return 2;
    default: return 0;
  }
}

}  // namespace

uint32_t LMidiMessageLength::GetShortMessageLength(uint8_t first) {
  if (const uint32_t length = ChannelMessageLength(first)) return length;
  switch (first) {
    case 0xF2: return 3;
    case 0xF1: case 0xF3: case 0xF4: case 0xF5: return 2;
    case 0xF0: case 0xF7: return 0;
    default: return 1;
  }
}

uint32_t LMidiMessageLength::GetCapturedMessageLength(uint8_t first) {
  if (const uint32_t length = ChannelMessageLength(first)) return length;
  switch (first) {
    case 0xF2: return 3;
    case 0xF1: case 0xF3: return 2;
    default: return 1;
  }
}

}  // namespace HV
