#include "HVFramework/Platform/MidiInputStream.h"

#include "HVFramework/Platform/MidiShortMessage.h"

namespace HV::Platform {

namespace {
constexpr uint8_t kSysExStart = 0xF0;
constexpr uint8_t kSysExEnd = 0xF7;
constexpr uint8_t kFirstRealTime = 0xF8;

bool IsChannelStatus(uint8_t status) { return status >= 0x80 && status < 0xF0; }
}  // namespace

void LMidiInputStream::Lend(MidiHeader& header) {
  header.bytesRecorded = 0;
  header.flags = (header.flags.load() & ~MidiHeader::kDone) | MidiHeader::kInQueue;
  mLent.push_back(&header);
}

void LMidiInputStream::Feed(std::span<const uint8_t> bytes, uint32_t timeStamp, Events& events) {
  for (uint8_t byte : bytes) FeedByte(byte, timeStamp, events);
}

void LMidiInputStream::Stop(uint32_t timeStamp, Events& events) {
  if (IsFirstPartlyFilled()) ReturnFirst(MidiEventKind::InputLongData, timeStamp, events);
  ClearParser();
}

void LMidiInputStream::Reset(uint32_t timeStamp, Events& events) {
  while (!mLent.empty()) ReturnFirst(MidiEventKind::InputLongData, timeStamp, events);
  ClearParser();
}

void LMidiInputStream::FeedByte(uint8_t byte, uint32_t timeStamp, Events& events) {
  if (byte >= kFirstRealTime) {  // may sit anywhere, even inside other messages
    events.push_back({MidiEventKind::InputData, byte, nullptr, timeStamp});
  } else if (mInSysEx && byte < 0x80) {
    AppendSysEx(byte, timeStamp, events);
  } else if (mInSysEx && byte == kSysExEnd) {
    AppendSysEx(byte, timeStamp, events);
    mInSysEx = false;
  } else if (byte >= 0x80) {
    if (mInSysEx) EndSysExEarly(timeStamp, events);
    FeedStatus(byte, timeStamp, events);
  } else {
    FeedData(byte, timeStamp, events);
  }
}

void LMidiInputStream::FeedStatus(uint8_t status, uint32_t timeStamp, Events& events) {
  mCollected = 0;
  mRunningStatus = IsChannelStatus(status) ? status : 0;
  if (status == kSysExStart) {
    mInSysEx = true;
    AppendSysEx(status, timeStamp, events);
    return;
  }
  mExpected = LMidiShortMessage::GetLength(status);
  if (mExpected == 0) return;  // a stray F7
  mMessage[mCollected++] = status;
  if (mCollected == mExpected) {
    events.push_back({MidiEventKind::InputData, status, nullptr, timeStamp});
    mCollected = 0;
  }
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

void LMidiInputStream::AppendSysEx(uint8_t byte, uint32_t timeStamp, Events& events) {
  if (mLent.empty()) return;
  MidiHeader& header = *mLent.front();
  header.data[header.bytesRecorded++] = byte;
  if (byte == kSysExEnd || header.bytesRecorded >= header.bufferLength) {
    ReturnFirst(MidiEventKind::InputLongData, timeStamp, events);
  }
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

}  // namespace HV::Platform
