#include "HVFramework/Platform/Midi/MidiInputStream.h"

#include "HVFramework/Platform/Midi/MidiShortMessage.h"

#include <algorithm>

namespace HV::Platform {

namespace {
constexpr uint8_t kSysExStart = 0xF0;
constexpr uint8_t kSysExEnd = 0xF7;
constexpr uint8_t kFirstRealTime = 0xF8;

bool IsChannelStatus(uint8_t status) { return status >= 0x80 && status < 0xF0; }
}  // namespace

void LMidiInputStream::Lend(MidiHeader& header, Events& events) {
  header.bytesRecorded = 0;
  header.flags = (header.flags.load() & ~MidiHeader::kDone) | MidiHeader::kInQueue;
  mLent.push_back(&header);
  mHasBeenLent = true;
  FeedBacklog(events);
}

LMidiInputStream::Overflow LMidiInputStream::Feed(std::span<const uint8_t> bytes, uint32_t timeStamp,
                                                  Events& events) {
  size_t fed = 0;
  if (mBacklog.empty()) {  // else these bytes queue behind the waiting ones
    while (fed < bytes.size() && FeedByte(bytes[fed], timeStamp, events)) ++fed;
  }
  return fed == bytes.size() ? Overflow{} : Keep(bytes.subspan(fed), timeStamp);
}

void LMidiInputStream::Stop(uint32_t timeStamp, Events& events) {
  if (IsFirstPartlyFilled()) ReturnFirst(MidiEventKind::InputLongData, timeStamp, events);
  ClearParser();
  DropBacklog();
}

void LMidiInputStream::Reset(uint32_t timeStamp, Events& events) {
  while (!mLent.empty()) ReturnFirst(MidiEventKind::InputLongData, timeStamp, events);
  ClearParser();
  DropBacklog();
  mHasBeenLent = false;
}

bool LMidiInputStream::FeedByte(uint8_t byte, uint32_t timeStamp, Events& events) {
  if (byte >= kFirstRealTime) {  // may sit anywhere, even inside other messages
    events.push_back({MidiEventKind::InputData, byte, nullptr, timeStamp});
  } else if (mInSysEx && byte < 0x80) {
    return AppendSysEx(byte, timeStamp, events);
  } else if (mInSysEx && byte == kSysExEnd) {
    if (!AppendSysEx(byte, timeStamp, events)) return false;
    mInSysEx = false;
  } else if (byte >= 0x80) {
    if (mInSysEx) EndSysExEarly(timeStamp, events);
    return FeedStatus(byte, timeStamp, events);
  } else {
    FeedData(byte, timeStamp, events);
  }
  return true;
}

bool LMidiInputStream::FeedStatus(uint8_t status, uint32_t timeStamp, Events& events) {
  if (status == kSysExStart) {
    if (!CanAppendSysEx()) return false;  // checked first: a retry finds the parser as it was
    mCollected = 0;
    mRunningStatus = 0;
    mInSysEx = true;
    return AppendSysEx(status, timeStamp, events);
  }
  mCollected = 0;
  mRunningStatus = IsChannelStatus(status) ? status : 0;
  mExpected = LMidiShortMessage::GetLength(status);
  if (mExpected == 0) return true;  // a stray F7
  mMessage[mCollected++] = status;
  if (mCollected == mExpected) {
    events.push_back({MidiEventKind::InputData, status, nullptr, timeStamp});
    mCollected = 0;
  }
  return true;
}

void LMidiInputStream::FeedData(uint8_t data, uint32_t timeStamp, Events& events) {
  if (mCollected == 0) {
    if (mRunningStatus == 0) return;  // data without a status: nothing to attach it to
    mMessage[0] = mRunningStatus;
    mExpected = LMidiShortMessage::GetLength(mRunningStatus);
    mCollected = 1;
  }
  mMessage[mCollected++] = data;
  if (mCollected < mExpected) return;
  const uint32_t message = LMidiShortMessage::Pack(std::span(mMessage, mCollected));
  events.push_back({MidiEventKind::InputData, message, nullptr, timeStamp});
  mCollected = 0;
}

// An input that was never lent a header drops the byte (true: it is dealt
// with); one whose headers are all out keeps it waiting (false).
bool LMidiInputStream::AppendSysEx(uint8_t byte, uint32_t timeStamp, Events& events) {
  if (mLent.empty()) return !mHasBeenLent;
  MidiHeader& header = *mLent.front();
  header.data[header.bytesRecorded++] = byte;
  if (byte == kSysExEnd || header.bytesRecorded >= header.bufferLength) {
    ReturnFirst(MidiEventKind::InputLongData, timeStamp, events);
  }
  return true;
}

// A status byte cut the message short: what was recorded comes back as an
// incomplete message.
void LMidiInputStream::EndSysExEarly(uint32_t timeStamp, Events& events) {
  mInSysEx = false;
  if (IsFirstPartlyFilled()) ReturnFirst(MidiEventKind::InputLongError, timeStamp, events);
}

void LMidiInputStream::ReturnFirst(MidiEventKind kind, uint32_t timeStamp, Events& events) {
  MidiHeader* header = mLent.front();
  mLent.pop_front();
  header->flags = (header->flags.load() & ~MidiHeader::kInQueue) | MidiHeader::kDone;
  events.push_back({kind, 0, header, timeStamp});
}

void LMidiInputStream::ClearParser() {
  mInSysEx = false;
  mRunningStatus = 0;
  mCollected = 0;
  mExpected = 0;
}

// ---- backlog ----

LMidiInputStream::Overflow LMidiInputStream::Keep(std::span<const uint8_t> bytes, uint32_t timeStamp) {
  const size_t kept = std::min(bytes.size(), kMaxBacklog - mBacklogSize);
  if (kept > 0) {
    mBacklog.push_back({{bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(kept)}, 0, timeStamp});
    mBacklogSize += kept;
  }
  Overflow overflow{bytes.size() - kept, false};
  if (overflow.dropped > 0) {
    mDropped += overflow.dropped;
    overflow.isNew = !mIsOverflowing;
    mIsOverflowing = true;
  }
  return overflow;
}

// Feeds the waiting bytes, oldest first, until one finds no header again.
void LMidiInputStream::FeedBacklog(Events& events) {
  while (!mBacklog.empty()) {
    Waiting& waiting = mBacklog.front();
    for (; waiting.next < waiting.bytes.size(); ++waiting.next, --mBacklogSize) {
      if (!FeedByte(waiting.bytes[waiting.next], waiting.timeStamp, events)) return;
    }
    mBacklog.pop_front();
  }
  mIsOverflowing = false;
}

void LMidiInputStream::DropBacklog() {
  mBacklog.clear();
  mBacklogSize = 0;
  mIsOverflowing = false;
}

}  // namespace HV::Platform
