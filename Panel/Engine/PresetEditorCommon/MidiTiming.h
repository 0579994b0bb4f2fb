#pragma once

#include <chrono>
#include <cstdint>

namespace HV {

// The waits and pauses of the keyboard protocol. The keyboard needs the
// pause between pieces; the tries and reply wait bound how long a silent
// keyboard blocks the caller (about 5 s). Tests shorten them.
struct MidiTiming {
  int32_t tries;
  std::chrono::milliseconds replyWait;   // per try
  std::chrono::milliseconds piecePause;  // at least this between two 256-byte pieces
  std::chrono::milliseconds pollPeriod;  // of the device-status poll while it runs

  static constexpr MidiTiming Specified() {
    return {10, std::chrono::milliseconds(500), std::chrono::milliseconds(10),
            std::chrono::milliseconds(500)};
  }
};

}  // namespace HV
