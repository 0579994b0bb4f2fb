#pragma once

#include "Panel/Engine/DeviceLink/DeviceTiming.h"

namespace HV::Test {

// Shortens the device link's and the engine's waits for one test and puts
// them back afterwards.
class ShortDeviceTiming {
 public:
  explicit ShortDeviceTiming(uint32_t pollMs = 1, uint32_t passMs = 5, uint32_t stopWaitMs = 10000) {
    DeviceTiming& timing = GetDeviceTiming();
    mSaved[0] = timing.remotePollMs;
    mSaved[1] = timing.workerPassMs;
    mSaved[2] = timing.workerStopWaitMs;
    timing.remotePollMs = pollMs;
    timing.workerPassMs = passMs;
    timing.workerStopWaitMs = stopWaitMs;
  }
  ~ShortDeviceTiming() {
    DeviceTiming& timing = GetDeviceTiming();
    timing.remotePollMs = mSaved[0];
    timing.workerPassMs = mSaved[1];
    timing.workerStopWaitMs = mSaved[2];
  }
  ShortDeviceTiming(const ShortDeviceTiming&) = delete;
  ShortDeviceTiming& operator=(const ShortDeviceTiming&) = delete;

 private:
  uint32_t mSaved[3] = {};
};

}  // namespace HV::Test
