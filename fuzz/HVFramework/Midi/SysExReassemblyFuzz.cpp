// Bytes from a MIDI input arrive in 256-byte buffers of any content. Each
// input splits into pieces (a byte n, then n + 1 bytes: 0xFF makes a full
// buffer); the reassembler must never crash, and every message it hands out
// starts with F0, stays within its limit and is made of the bytes fed to it.
#include "HVFramework/Midi/LMidiSysExReassembler.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr uint32_t kBuffer = 256;
  HV::LMidiSysExReassembler reassembler;
  const HV::StringW port(u"In");
  size_t sinceLastMessage = 0;
  for (size_t offset = 0; offset < size;) {
    const size_t length = std::min<size_t>(size_t{data[offset]} + 1, size - offset - 1);
    const std::span<const uint8_t> piece(data + offset + 1, length);
    offset += 1 + length;
    sinceLastMessage += length;
    const HV::RCPtr<HV::LMidiCaptureNotificationData> message = reassembler.AddPiece(piece, kBuffer, 0, port);
    if (!message) continue;
    const std::span<const uint8_t> bytes = message->GetBytes();
    if (bytes.empty() || bytes.front() != 0xF0 || bytes.size() > HV::LMidiSysExReassembler::kMaxMessageLength ||
        bytes.size() > sinceLastMessage)
      std::abort();
    sinceLastMessage = 0;
  }
  return 0;
}
