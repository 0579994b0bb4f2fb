#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceTiming.h"

#include <chrono>
#include <cstdint>

namespace HV::Test {

// Short waits for the device link and the engine's worker in tests.
inline DeviceTiming ShortDeviceTiming(uint32_t pollMs = 1, uint32_t passMs = 5, uint32_t stopWaitMs = 10000) {
  return {std::chrono::milliseconds(pollMs), std::chrono::milliseconds(passMs),
          std::chrono::milliseconds(stopWaitMs)};
}

}  // namespace HV::Test
