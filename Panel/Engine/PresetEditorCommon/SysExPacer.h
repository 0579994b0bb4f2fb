#pragma once

#include "HVFramework/System/Event.h"

#include <chrono>
#include <optional>

namespace HV {

// SysExPacer: keeps the pieces sent to the keyboard apart, so its input does
// not overflow: each piece goes out at least the pause after the previous one
// was handed over, across messages too, and nothing waits after a message's
// last piece. Time is the installed clock's (Platform::GetClock), so a virtual
// clock drives the pacing in tests. One sending thread at a time.
class SysExPacer {
 public:
  explicit SysExPacer(std::chrono::milliseconds pause);
  SysExPacer(const SysExPacer&) = delete;
  SysExPacer& operator=(const SysExPacer&) = delete;

  // Returns once the pause since the previous piece has passed (at once for
  // the first piece).
  void WaitForTurn();
  // A piece was handed over just now.
  void NotePieceSent();

 private:
  const double mPauseSeconds;
  std::optional<double> mNextTurn;  // seconds on the installed clock
  Event mNeverSet{false};           // timed waits on it follow the installed clock
};

}  // namespace HV
