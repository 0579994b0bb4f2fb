#pragma once

#include "HVFramework/Platform/MidiEvent.h"
#include "HVFramework/Platform/MidiHeader.h"

#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace HV::Platform {

// LMidiInputStream: turns the bytes arriving at one input into the callbacks
// the device layer makes. Short messages (running status understood) become
// InputData; System Exclusive bytes are written into the lent headers in
// lending order, and a header comes back (InputLongData) as soon as it holds
// F7 or is full, so a long message arrives cut into header-sized pieces.
// System Exclusive bytes that find no lent header are lost, as on a device
// whose buffers ran out. Not locked: the owner serialises every call.
class LMidiInputStream {
 public:
  using Events = std::vector<MidiEvent>;

  // Queues an empty header (bytesRecorded becomes 0) and marks it lent.
  void Lend(MidiHeader& header);
  bool HasLent() const { return !mLent.empty(); }

  void Feed(std::span<const uint8_t> bytes, uint32_t timeStamp, Events& events);
  // The input stops: a partly filled header comes back, empty ones stay lent.
  void Stop(uint32_t timeStamp, Events& events);
  // Every lent header comes back.
  void Reset(uint32_t timeStamp, Events& events);

 private:
  void FeedByte(uint8_t byte, uint32_t timeStamp, Events& events);
  void FeedStatus(uint8_t status, uint32_t timeStamp, Events& events);
  void FeedData(uint8_t data, uint32_t timeStamp, Events& events);
  void AppendSysEx(uint8_t byte, uint32_t timeStamp, Events& events);
  void EndSysExEarly(uint32_t timeStamp, Events& events);
  void ReturnFirst(MidiEventKind kind, uint32_t timeStamp, Events& events);
  bool IsFirstPartlyFilled() const { return !mLent.empty() && mLent.front()->bytesRecorded > 0; }
  void ClearParser();

  std::deque<MidiHeader*> mLent;
  bool mInSysEx = false;
  uint8_t mRunningStatus = 0;  // last channel status, 0 when none
  uint8_t mMessage[3] = {};    // the short message being collected
  uint32_t mCollected = 0;
  uint32_t mExpected = 0;
};

}  // namespace HV::Platform
