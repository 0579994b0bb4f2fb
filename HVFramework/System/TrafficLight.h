#pragma once

#include "HVFramework/System/Event.h"

#include <cstdint>

namespace HV {

// TrafficLight: a manual-reset event spoken of as a light. Green lets every
// waiter through until the light turns red; it starts red. Used to wait for
// the keyboard's replies.
class TrafficLight : public Event {
 public:
  TrafficLight() : Event(false) {}

  // Non-zero on success.
  int32_t SetGreen() { return Set() ? 1 : 0; }
  int32_t SetRed() { return Reset() ? 1 : 0; }
  // True unless a zero wait times out (so a broken light reads green).
  bool IsGreen() { return Wait(0) != kWaitTimeout; }
};

}  // namespace HV
