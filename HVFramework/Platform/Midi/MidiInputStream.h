#pragma once

#include "HVFramework/Platform/Midi/MidiEvent.h"
#include "HVFramework/Platform/Midi/MidiHeader.h"

#include <cstddef>
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
//
// Input is not lost while the owner's headers are out: a System Exclusive
// byte that finds no lent header waits, with everything that arrived after
// it, in a backlog (as in a driver's queue) and goes on when a header is lent
// again. The backlog holds at most kMaxBacklog bytes; what arrives while it is
// full is dropped and counted. An input that was never lent a header takes no
// long messages: their bytes are dropped at once, as before any client asked
// for them. Not locked: the owner serialises every call.
class LMidiInputStream {
 public:
  using Events = std::vector<MidiEvent>;

  static constexpr size_t kMaxBacklog = 1024 * 1024;

  // What one Feed could not keep: the bytes dropped because the backlog was
  // full, and whether they are the first since it was last empty.
  struct Overflow {
    size_t dropped = 0;
    bool isNew = false;
  };

  // Queues an empty header (bytesRecorded becomes 0), marks it lent and lets
  // the backlog go on into it.
  void Lend(MidiHeader& header, Events& events);
  bool HasLent() const { return !mLent.empty(); }

  Overflow Feed(std::span<const uint8_t> bytes, uint32_t timeStamp, Events& events);
  // The input stops: a partly filled header comes back, empty ones stay lent;
  // the backlog is dropped (uncounted: the owner ended the recording).
  void Stop(uint32_t timeStamp, Events& events);
  // Every lent header comes back; the backlog is dropped.
  void Reset(uint32_t timeStamp, Events& events);

  size_t GetBacklogSize() const { return mBacklogSize; }
  uint64_t GetDroppedByteCount() const { return mDropped; }

 private:
  // Bytes of one Feed that wait, with the time stamp they arrived with.
  struct Waiting {
    std::vector<uint8_t> bytes;
    size_t next = 0;
    uint32_t timeStamp = 0;
  };

  // False when the byte needs a lent header and there is none: nothing
  // changed, the byte waits.
  bool FeedByte(uint8_t byte, uint32_t timeStamp, Events& events);
  bool FeedStatus(uint8_t status, uint32_t timeStamp, Events& events);
  void FeedData(uint8_t data, uint32_t timeStamp, Events& events);
  bool AppendSysEx(uint8_t byte, uint32_t timeStamp, Events& events);
  bool CanAppendSysEx() const { return !mLent.empty() || !mHasBeenLent; }
  void EndSysExEarly(uint32_t timeStamp, Events& events);
  void ReturnFirst(MidiEventKind kind, uint32_t timeStamp, Events& events);
  bool IsFirstPartlyFilled() const { return !mLent.empty() && mLent.front()->bytesRecorded > 0; }
  void ClearParser();

  Overflow Keep(std::span<const uint8_t> bytes, uint32_t timeStamp);
  void FeedBacklog(Events& events);
  void DropBacklog();

  std::deque<MidiHeader*> mLent;
  bool mHasBeenLent = false;  // since the last reset
  bool mInSysEx = false;
  uint8_t mRunningStatus = 0;  // last channel status, 0 when none
  uint8_t mMessage[3] = {};    // the short message being collected
  uint32_t mCollected = 0;
  uint32_t mExpected = 0;

  std::deque<Waiting> mBacklog;
  size_t mBacklogSize = 0;      // bytes still waiting
  bool mIsOverflowing = false;  // dropped since the backlog last emptied
  uint64_t mDropped = 0;
};

}  // namespace HV::Platform
