#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboard.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/DefaultRecords.h"
#include "HVFramework/Platform/Core/Clock.h"

#include <algorithm>

namespace HV::Simulated {
namespace {

// The keyboard's own reading of the protocol, written apart from the
// editor's so that the two check each other.
constexpr uint8_t kStart = 0xF0;
constexpr uint8_t kEnd = 0xF7;
constexpr uint8_t kFirstRealTime = 0xF8;
constexpr std::array<uint8_t, 7> kMakerHeader = {0xF0, 0x00, 0x3C, 0x51, 0x7F, 0x31, 0x05};
constexpr std::array<uint8_t, 12> kLeadIn = {0xF0, 0x00, 0x3C, 0x51, 0x7F, 0x31,
                                             0x05, 0x6D, 0x00, 0x01, 0x01, 0xF7};
constexpr std::array<uint8_t, 6> kIdentityRequest = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};
constexpr uint8_t kDumpToKeyboard = 0x61;
constexpr uint8_t kPresetRequest = 0x62;
constexpr uint8_t kDumpFromKeyboard = 0x63;
constexpr uint8_t kGlobalSet = 0x6A;
constexpr uint8_t kGlobalRequest = 0x6B;
constexpr uint8_t kGlobalReply = 0x6C;
constexpr size_t kDumpLength = 1350;
constexpr size_t kDataOffset = 11;
// A System Exclusive message longer than any the keyboard knows is dropped
// rather than collected without bound.
constexpr size_t kLongestMessage = 4096;

// The settings a new keyboard holds, in wire order: channel 1, Mackie
// Control, octaves and transposes in the middle of their ranges, curves C4
// (keys), F1 (pads), C1 (encoders) and S3 (X/Y pad), program and banks 0,
// MIDI DIN out on. Each is one the global settings dialog lists.
constexpr std::array<int32_t, SimulatedKeyboard::kGlobalCount> kDefaultGlobals = {
    1, 64, 0, 0, 0, 5, 12, 3, 5, 12, 4, 1, 4, 0, 0, 0, 1};

bool HasMakerHeader(const std::vector<uint8_t>& message, size_t length, uint8_t command) {
  return message.size() == length && std::equal(kMakerHeader.begin(), kMakerHeader.end(), message.begin()) &&
         message[7] == command;
}

bool StartsWith(const std::vector<uint8_t>& message, std::initializer_list<uint8_t> bytes, size_t at) {
  return message.size() >= at + bytes.size() && std::equal(bytes.begin(), bytes.end(), message.begin() + at);
}

}  // namespace

SimulatedKeyboard::SimulatedKeyboard() : mCreated(Platform::GetTickCount()), mGlobals(kDefaultGlobals) {
  const std::vector<uint8_t> defaults = MakeDefaultPresetData();
  for (Preset& slot : mSlots) std::copy_n(defaults.begin(), kPresetLength, slot.begin());
  mReplyThread = std::thread([this] { RunReplies(); });
}

SimulatedKeyboard::~SimulatedKeyboard() {
  {
    std::lock_guard lock(mReplyMutex);
    mIsStopping = true;
  }
  mReplyQueued.notify_all();
  mReplyThread.join();
}

void SimulatedKeyboard::ConnectReplies(ReplySink sink) {
  std::unique_lock lock(mReplyMutex);
  mReplyDone.wait(lock, [this] { return !mIsReplying; });
  mSink = std::move(sink);
}

void SimulatedKeyboard::OnMidiFromEditor(Platform::LLoopbackMidiDevice&,
                                         const Platform::MidiLoopbackPacket& packet) {
  Receive(packet.bytes);
}

void SimulatedKeyboard::Receive(std::span<const uint8_t> bytes) {
  std::lock_guard lock(mMutex);
  Log(Event::Piece, bytes);
  for (uint8_t byte : bytes) ReceiveByte(byte);
}

void SimulatedKeyboard::ReceiveByte(uint8_t byte) {
  if (byte >= kFirstRealTime) return;  // real-time bytes may sit anywhere
  if (byte == kStart) {
    AbortMessage();
    mIsInMessage = true;
    mMessage.assign(1, byte);
    return;
  }
  if (!mIsInMessage) return;  // padding, and messages that are not System Exclusive
  if (byte == kEnd) {
    mMessage.push_back(byte);
    mIsInMessage = false;
    HandleMessage(mMessage);
    mMessage.clear();
    return;
  }
  if (byte & 0x80 || mMessage.size() >= kLongestMessage) {
    AbortMessage();
    return;
  }
  mMessage.push_back(byte);
}

void SimulatedKeyboard::AbortMessage() {
  if (!mIsInMessage) return;
  Log(Event::Aborted, mMessage);
  mIsInMessage = false;
  mMessage.clear();
}

SimulatedKeyboard::Event SimulatedKeyboard::Classify(const std::vector<uint8_t>& message) const {
  if (std::equal(message.begin(), message.end(), kLeadIn.begin(), kLeadIn.end())) return Event::LeadIn;
  if (std::equal(message.begin(), message.end(), kIdentityRequest.begin(), kIdentityRequest.end()))
    return Event::IdentityRequest;
  if (HasMakerHeader(message, 10, kPresetRequest)) return Event::PresetRequest;
  if (HasMakerHeader(message, kDumpLength, kDumpToKeyboard) && StartsWith(message, {0x0A, 0x3B}, 8))
    return Event::PresetDump;
  if (HasMakerHeader(message, 15, kGlobalSet) && StartsWith(message, {0x00, 0x04, 0x00}, 8))
    return Event::GlobalSet;
  if (HasMakerHeader(message, 13, kGlobalRequest) && StartsWith(message, {0x00, 0x02, 0x00}, 8))
    return Event::GlobalRequest;
  return Event::Unrecognised;
}

void SimulatedKeyboard::HandleMessage(const std::vector<uint8_t>& message) {
  const Event event = Classify(message);
  Log(event, message);
  std::vector<uint8_t> reply = Answer(event, message);
  if (reply.empty()) return;
  const Event replyEvent = event == Event::IdentityRequest ? Event::IdentityReply
                           : event == Event::PresetRequest ? Event::PresetDumpReply
                                                           : Event::GlobalReply;
  QueueReply(replyEvent, std::move(reply));
}

std::vector<uint8_t> SimulatedKeyboard::Answer(Event event, const std::vector<uint8_t>& message) {
  switch (event) {
    case Event::PresetDump:
      if (message[10] < kSlotCount) {
        std::copy_n(message.begin() + kDataOffset, kPresetLength, mSlots[message[10]].begin());
        mStoredDumps.push_back({message[10], mSlots[message[10]]});
      }
      return {};
    case Event::GlobalSet:
      if (message[11] < kGlobalCount) mGlobals[message[11]] = message[12] * 128 + message[13];
      return {};
    case Event::IdentityRequest:
      return TakeAnswerTurn(event) ? MakeIdentityReply() : std::vector<uint8_t>{};
    case Event::PresetRequest:
      if (!TakeAnswerTurn(event) || message[8] >= kSlotCount) return {};
      return AnswerAstray(Event::PresetDumpReply, mPresetAstray, message[8], kSlotCount,
                          &SimulatedKeyboard::MakeDumpReply);
    case Event::GlobalRequest:
      if (!TakeAnswerTurn(event) || message[11] >= kGlobalCount) return {};
      return AnswerAstray(Event::GlobalReply, mGlobalAstray, message[11], kGlobalCount,
                          &SimulatedKeyboard::MakeGlobalReply);
    default:
      return {};
  }
}

std::vector<uint8_t> SimulatedKeyboard::AnswerAstray(Event reply, const Astray& astray, size_t asked,
                                                     size_t count,
                                                     std::vector<uint8_t> (SimulatedKeyboard::*make)(size_t)
                                                         const) {
  if (!astray.target) return (this->*make)(asked);
  std::vector<uint8_t> wrong = (this->*make)(*astray.target % count);
  if (astray.how == Misdirection::Instead) return wrong;
  QueueReply(reply, std::move(wrong));
  return (this->*make)(asked);
}

// False when this request goes unanswered.
bool SimulatedKeyboard::TakeAnswerTurn(Event request) {
  if (!mIsAnswering) return false;
  if (std::find(mSilencedRequests.begin(), mSilencedRequests.end(), request) != mSilencedRequests.end())
    return false;
  if (mRequestsToIgnore > 0) {
    --mRequestsToIgnore;
    return false;
  }
  return true;
}

std::vector<uint8_t> SimulatedKeyboard::MakeDumpReply(size_t slot) const {
  std::vector<uint8_t> reply(kDumpLength);
  std::copy(kMakerHeader.begin(), kMakerHeader.end(), reply.begin());
  reply[7] = kDumpFromKeyboard;
  reply[8] = 0x0A;  // payload length 1339: the slot and the data
  reply[9] = 0x3B;
  reply[10] = static_cast<uint8_t>(slot);
  std::copy(mSlots[slot].begin(), mSlots[slot].end(), reply.begin() + kDataOffset);
  reply.back() = kEnd;
  return reply;
}

// Offsets 5 to 9 carry the maker and model bytes, 10 to 13 the firmware.
std::vector<uint8_t> SimulatedKeyboard::MakeIdentityReply() const {
  std::vector<uint8_t> reply = {kStart, 0x7E, 0x7F, 0x06, 0x02, 0x00, 0x3C, 0x51,
                                0x31,   0x05, 0,    0,    0,    0,    kEnd};
  for (size_t i = 0; i < mFirmware.size(); ++i) reply[10 + i] = mFirmware[i];
  return reply;
}

std::vector<uint8_t> SimulatedKeyboard::MakeGlobalReply(size_t index) const {
  const int32_t value = mGlobals[index];
  std::vector<uint8_t> reply = {0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                kGlobalReply,
                                0x00,
                                0x04,
                                0x00,
                                static_cast<uint8_t>(index),
                                static_cast<uint8_t>((value >> 7) & 0x7F),
                                static_cast<uint8_t>(value & 0x7F),
                                kEnd};
  std::copy(kMakerHeader.begin(), kMakerHeader.end(), reply.begin());
  return reply;
}

void SimulatedKeyboard::Corrupt(Event event, std::vector<uint8_t>& reply) const {
  if (mCorruptedReply && *mCorruptedReply != event) return;
  switch (mCorruption) {
    case Corruption::None:
      return;
    case Corruption::WrongLength:
      reply.insert(reply.end() - 1, 0x00);
      return;
    case Corruption::WrongHeader:
      reply[1] ^= 0x01;  // another maker, or not a universal message
      return;
  }
}

void SimulatedKeyboard::QueueReply(Event event, std::vector<uint8_t> reply) {
  Corrupt(event, reply);
  Log(event, reply);
  {
    std::lock_guard lock(mReplyMutex);
    mReplies.push_back({std::chrono::steady_clock::now() + mReplyDelay, std::move(reply)});
  }
  mReplyQueued.notify_all();
}

void SimulatedKeyboard::RunReplies() {
  std::unique_lock lock(mReplyMutex);
  while (true) {
    mReplyQueued.wait(lock, [this] { return mIsStopping || !mReplies.empty(); });
    if (mIsStopping) return;
    if (mReplyQueued.wait_until(lock, mReplies.front().due, [this] { return mIsStopping; })) return;
    PendingReply reply = std::move(mReplies.front());
    mReplies.pop_front();
    ReplySink sink = mSink;
    mIsReplying = true;
    lock.unlock();
    if (sink) sink(reply.bytes);
    lock.lock();
    mIsReplying = false;
    mReplyDone.notify_all();
  }
}

SimulatedKeyboard::Preset SimulatedKeyboard::GetSlot(size_t slot) const {
  std::lock_guard lock(mMutex);
  return mSlots.at(slot);
}

void SimulatedKeyboard::SetSlot(size_t slot, const Preset& data) {
  std::lock_guard lock(mMutex);
  mSlots.at(slot) = data;
}

int32_t SimulatedKeyboard::GetGlobal(size_t index) const {
  std::lock_guard lock(mMutex);
  return mGlobals.at(index);
}

void SimulatedKeyboard::SetGlobal(size_t index, int32_t value) {
  std::lock_guard lock(mMutex);
  mGlobals.at(index) = value;
}

std::vector<SimulatedKeyboard::StoredDump> SimulatedKeyboard::GetStoredDumps() const {
  std::lock_guard lock(mMutex);
  return mStoredDumps;
}

void SimulatedKeyboard::SetAnswering(bool shouldAnswer) {
  std::lock_guard lock(mMutex);
  mIsAnswering = shouldAnswer;
}

void SimulatedKeyboard::SetAnswering(Event request, bool shouldAnswer) {
  std::lock_guard lock(mMutex);
  std::erase(mSilencedRequests, request);
  if (!shouldAnswer) mSilencedRequests.push_back(request);
}

void SimulatedKeyboard::IgnoreNextRequests(uint32_t count) {
  std::lock_guard lock(mMutex);
  mRequestsToIgnore = count;
}

void SimulatedKeyboard::SetReplyDelay(std::chrono::milliseconds delay) {
  std::lock_guard lock(mMutex);
  mReplyDelay = delay;
}

void SimulatedKeyboard::SetFirmwareVersion(std::string_view fourDigits) {
  std::lock_guard lock(mMutex);
  for (size_t i = 0; i < mFirmware.size(); ++i) mFirmware[i] = i < fourDigits.size() ? fourDigits[i] : '0';
}

void SimulatedKeyboard::SetCorruption(Corruption corruption, std::optional<Event> onlyReply) {
  std::lock_guard lock(mMutex);
  mCorruption = corruption;
  mCorruptedReply = onlyReply;
}

void SimulatedKeyboard::SendUnsolicitedDump(size_t slot) {
  std::lock_guard lock(mMutex);
  QueueReply(Event::PresetDumpReply, MakeDumpReply(slot % kSlotCount));
}

void SimulatedKeyboard::MisdirectPresetAnswers(std::optional<size_t> slot, Misdirection how) {
  std::lock_guard lock(mMutex);
  mPresetAstray = {slot, how};
}

void SimulatedKeyboard::MisdirectGlobalAnswers(std::optional<size_t> index, Misdirection how) {
  std::lock_guard lock(mMutex);
  mGlobalAstray = {index, how};
}

void SimulatedKeyboard::Log(Event event, std::span<const uint8_t> bytes) {
  mLog.push_back({Now(), event, {bytes.begin(), bytes.end()}});
  mLogged.notify_all();
}

uint32_t SimulatedKeyboard::Now() const { return Platform::GetTickCount() - mCreated; }

std::vector<SimulatedKeyboard::LogEntry> SimulatedKeyboard::GetLog() const {
  std::lock_guard lock(mMutex);
  return mLog;
}

std::vector<SimulatedKeyboard::Event> SimulatedKeyboard::GetEvents() const {
  std::lock_guard lock(mMutex);
  std::vector<Event> events;
  for (const LogEntry& entry : mLog)
    if (entry.event != Event::Piece) events.push_back(entry.event);
  return events;
}

std::vector<SimulatedKeyboard::LogEntry> SimulatedKeyboard::GetPieces() const {
  std::lock_guard lock(mMutex);
  std::vector<LogEntry> pieces;
  for (const LogEntry& entry : mLog)
    if (entry.event == Event::Piece) pieces.push_back(entry);
  return pieces;
}

size_t SimulatedKeyboard::CountEvents(Event event) const {
  std::lock_guard lock(mMutex);
  return static_cast<size_t>(std::count_if(mLog.begin(), mLog.end(),
                                           [event](const LogEntry& entry) { return entry.event == event; }));
}

void SimulatedKeyboard::ClearLog() {
  std::lock_guard lock(mMutex);
  mLog.clear();
}

bool SimulatedKeyboard::WaitForEvent(Event event, size_t count, std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mMutex);
  return mLogged.wait_for(lock, timeout, [&] {
    return static_cast<size_t>(std::count_if(mLog.begin(), mLog.end(), [event](const LogEntry& entry) {
             return entry.event == event;
           })) >= count;
  });
}

}  // namespace HV::Simulated
