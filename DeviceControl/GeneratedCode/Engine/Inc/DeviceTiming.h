#pragma once

#include <chrono>

// DeviceTiming: the waits of the device link and of the engine's worker.
// Given to each when it is made; tests pass shorter ones.
struct DeviceTiming {
  // Between two queries while the link waits for the reachable list to change.
  std::chrono::milliseconds remotePoll;
  // One pass of the engine's worker: its pause, and its wait for a list change.
  std::chrono::milliseconds workerPass;
  // How long the engine waits for its worker to stop.
  std::chrono::milliseconds workerStopWait;

  static constexpr DeviceTiming Specified() {
    return {std::chrono::milliseconds(250), std::chrono::milliseconds(1500),
            std::chrono::milliseconds(10000)};
  }
};
