#pragma once

#include <atomic>
#include <cstdint>

namespace HV::Platform {

// MidiHeader: a caller-owned buffer of a long MIDI message, lent to the device
// layer between AddInputBuffer / SendLongMessage and its return through the
// callback ("done"). While it is queued the caller must not touch the bytes
// nor free the header. The flags may be read from any thread.
struct MidiHeader {
  static constexpr uint32_t kDone = 0x1;      // returned by the device layer
  static constexpr uint32_t kPrepared = 0x2;
  static constexpr uint32_t kInQueue = 0x4;   // owned by the device layer

  uint8_t* data = nullptr;
  uint32_t bufferLength = 0;
  uint32_t bytesRecorded = 0;  // input: bytes filled in; output: ignored
  std::atomic<uint32_t> flags{0};

  bool IsDone() const { return (flags.load() & kDone) != 0; }
  bool IsPrepared() const { return (flags.load() & kPrepared) != 0; }
  bool IsInQueue() const { return (flags.load() & kInQueue) != 0; }
};

}  // namespace HV::Platform
