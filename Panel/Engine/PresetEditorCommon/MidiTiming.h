#pragma once

#include <chrono>
#include <cstdint>

namespace HV {

// The waits and pauses of the keyboard protocol. The keyboard needs the
// pause between pieces; the tries and reply wait bound how long a silent
// keyboard blocks the caller (about 5 s). Tests shorten them.
struct MidiTiming {
  int32_t tries;
  std::chrono::milliseconds replyWait;    // per try
  std::chrono::milliseconds piecePause;   // after each 256-byte piece
  std::chrono::milliseconds pollPeriod;   // of the device-status poll while it runs
  std::chrono::milliseconds suspendStep;  // between looks while the poll winds down

  static constexpr MidiTiming Specified() {
    return {10, std::chrono::milliseconds(500), std::chrono::milliseconds(10), std::chrono::milliseconds(500),
            std::chrono::milliseconds(100)};
  }
};

}  // namespace HV
