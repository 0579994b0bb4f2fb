#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace HV::Platform {

// LMidiSysExFilter: picks the System Exclusive bytes out of the long messages
// sent to one output. The framework sends a long System Exclusive message as
// pieces of a fixed size, the last one padded with zeros; only the bytes from
// F0 through F7 belong on the wire, and a message may go on in the next piece.
// A status byte other than F7 ends a message early: a new F0 starts the next
// message; any other status is dropped with what follows it. Real-time bytes
// (F8-FF) stay where they are. One object per output; not locked.
class LMidiSysExFilter {
 public:
  // The runs of message bytes in the piece, in order (views into it).
  std::vector<std::span<const uint8_t>> Cut(std::span<const uint8_t> piece);
  bool IsInsideMessage() const { return mInsideMessage; }

 private:
  bool mInsideMessage = false;
};

}  // namespace HV::Platform
