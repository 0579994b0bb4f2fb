#pragma once

#include <atomic>
#include <cstdint>

// DeviceTiming: the waits of the device link and of the engine's worker, in
// milliseconds, kept in one place. One set per process; tests shorten them
// before they start anything that waits.
struct DeviceTiming {
  // Between two queries while the link waits for the reachable list to change.
  std::atomic<uint32_t> remotePollMs{250};
  // One pass of the engine's worker: its pause, and its wait for a list change.
  std::atomic<uint32_t> workerPassMs{1500};
  // How long the engine waits for its worker to stop, in steps of 1 ms.
  std::atomic<uint32_t> workerStopWaitMs{10000};
};

DeviceTiming& GetDeviceTiming();
