#pragma once

#include "HVFramework/Platform/Midi/IMidiLoopbackPeer.h"

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string_view>
#include <thread>
#include <vector>

namespace HV::Simulated {

// SimulatedKeyboard: the keyboard's side of its SysEx protocol, for tests and
// for running the editor without a keyboard. It parses the bytes it receives
// as the device does (padding between messages ignored, a status byte inside
// a System Exclusive message aborts it), keeps 13 preset slots, the 17 global
// settings and a firmware version, answers requests, and logs every piece,
// message and reply with a time stamp.
//
// As a loopback peer it receives what the editor sends to its device; replies
// go out in order on the keyboard's own reply thread, through the sink given
// to ConnectReplies (SimulatedKeyboardPorts.h connects it to a loopback
// device). Every member may be called from any thread.
class SimulatedKeyboard : public Platform::IMidiLoopbackPeer {
 public:
  static constexpr size_t kSlotCount = 13;  // "RAM" and 12 stored presets
  static constexpr size_t kPresetLength = 1338;
  static constexpr size_t kGlobalCount = 17;
  using Preset = std::array<uint8_t, kPresetLength>;
  using ReplySink = std::function<void(std::span<const uint8_t>)>;

  enum class Event {
    Piece,  // a block of bytes as received
    LeadIn,
    IdentityRequest,
    PresetRequest,
    PresetDump,  // stored into its slot
    GlobalSet,   // stored
    GlobalRequest,
    Unrecognised,   // a complete System Exclusive message of no known form
    Aborted,        // an unfinished System Exclusive message, dropped
    IdentityReply,  // what the keyboard sent
    PresetDumpReply,
    GlobalReply,
  };
  struct LogEntry {
    uint32_t timeStamp;  // milliseconds since the keyboard was made, on the installed clock
    Event event;
    std::vector<uint8_t> bytes;
  };
  struct StoredDump {
    uint8_t slot;
    Preset data;
  };

  enum class Corruption { None, WrongLength, WrongHeader };
  // How an answer goes astray: Instead, the keyboard answers with another
  // slot's dump or another setting's value; Before, that wrong answer goes out
  // first and the right one after it, as a late reply of an earlier request.
  enum class Misdirection { Instead, Before };

  SimulatedKeyboard();
  ~SimulatedKeyboard() override;
  SimulatedKeyboard(const SimulatedKeyboard&) = delete;
  SimulatedKeyboard& operator=(const SimulatedKeyboard&) = delete;

  // Replaces the sink; when it returns, the old sink is no longer running.
  // An empty sink drops replies.
  void ConnectReplies(ReplySink sink);

  // The editor's bytes, in the order sent.
  void Receive(std::span<const uint8_t> bytes);
  void OnMidiFromEditor(Platform::LLoopbackMidiDevice& device,
                        const Platform::MidiLoopbackPacket& packet) override;

  // Memory.
  Preset GetSlot(size_t slot) const;
  void SetSlot(size_t slot, const Preset& data);
  int32_t GetGlobal(size_t index) const;
  void SetGlobal(size_t index, int32_t value);
  std::vector<StoredDump> GetStoredDumps() const;

  // Switches for tests.
  void SetAnswering(bool shouldAnswer);                 // every request
  void SetAnswering(Event request, bool shouldAnswer);  // one kind of request
  void IgnoreNextRequests(uint32_t count);              // answer again after this many requests
  void SetReplyDelay(std::chrono::milliseconds delay);
  void SetFirmwareVersion(std::string_view fourDigits);
  // Corrupts every reply, or only replies of one kind.
  void SetCorruption(Corruption corruption, std::optional<Event> onlyReply = std::nullopt);
  void SendUnsolicitedDump(size_t slot);  // slot modulo 13
  // Answers preset requests with this slot's dump, global requests with this
  // setting's reply (none: the one asked for). Out-of-range targets are taken modulo.
  void MisdirectPresetAnswers(std::optional<size_t> slot, Misdirection how = Misdirection::Instead);
  void MisdirectGlobalAnswers(std::optional<size_t> index, Misdirection how = Misdirection::Instead);

  // The log.
  std::vector<LogEntry> GetLog() const;
  std::vector<Event> GetEvents() const;     // without the pieces
  std::vector<LogEntry> GetPieces() const;  // only the pieces
  size_t CountEvents(Event event) const;
  void ClearLog();
  // Waits until the event was logged `count` times in all; false on time-out.
  bool WaitForEvent(Event event, size_t count = 1,
                    std::chrono::milliseconds timeout = std::chrono::seconds(20)) const;

 private:
  struct Astray {
    std::optional<size_t> target;
    Misdirection how = Misdirection::Instead;
  };
  struct PendingReply {
    std::chrono::steady_clock::time_point due;
    std::vector<uint8_t> bytes;
  };

  void ReceiveByte(uint8_t byte);
  void AbortMessage();
  void HandleMessage(const std::vector<uint8_t>& message);
  Event Classify(const std::vector<uint8_t>& message) const;
  std::vector<uint8_t> Answer(Event event, const std::vector<uint8_t>& message);
  // The answer for `asked`, gone astray as set: the wrong answer is returned
  // instead, or queued before the right one.
  std::vector<uint8_t> AnswerAstray(Event reply, const Astray& astray, size_t asked, size_t count,
                                    std::vector<uint8_t> (SimulatedKeyboard::*make)(size_t) const);
  bool TakeAnswerTurn(Event request);
  std::vector<uint8_t> MakeDumpReply(size_t slot) const;
  std::vector<uint8_t> MakeIdentityReply() const;
  std::vector<uint8_t> MakeGlobalReply(size_t index) const;
  void Corrupt(Event event, std::vector<uint8_t>& reply) const;
  void QueueReply(Event event, std::vector<uint8_t> reply);
  void Log(Event event, std::span<const uint8_t> bytes);
  uint32_t Now() const;
  void RunReplies();

  const uint32_t mCreated;  // tick of the installed clock (a virtual one in tests)

  mutable std::mutex mMutex;  // everything below but the reply queue
  mutable std::condition_variable mLogged;
  std::array<Preset, kSlotCount> mSlots;
  std::array<int32_t, kGlobalCount> mGlobals;
  std::array<uint8_t, 4> mFirmware = {'1', '0', '4', '1'};
  std::vector<StoredDump> mStoredDumps;
  std::vector<LogEntry> mLog;
  std::vector<uint8_t> mMessage;  // the System Exclusive message being received
  bool mIsInMessage = false;
  bool mIsAnswering = true;
  std::vector<Event> mSilencedRequests;
  uint32_t mRequestsToIgnore = 0;
  std::chrono::milliseconds mReplyDelay{0};
  Corruption mCorruption = Corruption::None;
  std::optional<Event> mCorruptedReply;
  Astray mPresetAstray;
  Astray mGlobalAstray;

  std::mutex mReplyMutex;  // the reply queue and sink; taken after mMutex, never before
  std::condition_variable mReplyQueued;
  std::condition_variable mReplyDone;
  bool mIsReplying = false;  // a sink call runs outside the lock
  std::deque<PendingReply> mReplies;
  ReplySink mSink;
  bool mIsStopping = false;
  std::thread mReplyThread;
};

}  // namespace HV::Simulated
