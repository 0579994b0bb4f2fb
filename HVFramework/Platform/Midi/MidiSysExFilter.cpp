#include "HVFramework/Platform/Midi/MidiSysExFilter.h"

namespace HV::Platform {

std::vector<std::span<const uint8_t>> LMidiSysExFilter::Cut(std::span<const uint8_t> piece) {
  std::vector<std::span<const uint8_t>> runs;
  size_t start = 0;
  for (size_t i = 0; i < piece.size(); ++i) {
    const uint8_t byte = piece[i];
    const bool isStatus = byte >= 0x80 && byte < 0xF8;
    if (!isStatus) continue;  // data and real-time bytes belong to whatever they are in
    if (mInsideMessage && byte == 0xF7) {
      runs.push_back(piece.subspan(start, i + 1 - start));
      mInsideMessage = false;
      continue;
    }
    if (mInsideMessage && i > start) runs.push_back(piece.subspan(start, i - start));
    mInsideMessage = byte == 0xF0;
    start = i;
  }
  if (mInsideMessage && start < piece.size()) runs.push_back(piece.subspan(start));
  return runs;
}

}  // namespace HV::Platform
