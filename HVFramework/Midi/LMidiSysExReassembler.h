#pragma once

#include "HVFramework/Midi/LMidiCaptureNotificationData.h"

#include <cstdint>
#include <span>

namespace HV {

// LMidiSysExReassembler: joins the pieces of System Exclusive messages that
// an input returns in its fixed-size receive buffers. A piece ends a message
// when it did not fill its buffer or its last byte is F7; longer messages
// arrive as several full buffers and are kept pending until then. One per
// capture port, used under the port layer's lock.
class LMidiSysExReassembler {
 public:
  // A message that never ends is dropped once it passes this size.
  static constexpr uint32_t kMaxMessageLength = 64 * 1024;

  // Takes the recorded bytes of one returned buffer of bufferLength bytes.
  // Answers the whole message when this piece completes one, else null.
  // A piece that starts with F0 begins a new message (whatever was pending
  // was cut off); a piece that does not, with nothing pending, is dropped.
  RCPtr<LMidiCaptureNotificationData> AddPiece(std::span<const uint8_t> piece, uint32_t bufferLength,
                                               uint32_t timeStamp, const StringW& portName);
  // Forgets the pending message.
  void Reset() { mPending = nullptr; }
  bool HasPending() const { return mPending != nullptr; }

 private:
  static bool EndsMessage(std::span<const uint8_t> piece, uint32_t bufferLength);
  // Appends to the pending message; false (and nothing pending) when it
  // grew too long or out of memory.
  bool AppendToPending(std::span<const uint8_t> piece);

  RCPtr<LMidiCaptureNotificationData> mPending;
};

}  // namespace HV
