// The simulated keyboard fed directly with bytes, its replies collected.
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboard.h"
#include "Panel/Engine/SimulatedKeyboard/SimulatedKeyboardLog.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/DefaultRecords.h"
#include "tests/Panel/Engine/PresetEditorCommon/MidiBytes.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include <condition_variable>
#include <mutex>

namespace HV::Test {
namespace {

using namespace Simulated;

using Event = SimulatedKeyboard::Event;

const std::vector<uint8_t> kLeadIn = Join(kHeaderBytes, {0x6D, 0x00, 0x01, 0x01, 0xF7});
const std::vector<uint8_t> kIdentityRequest = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};

std::vector<uint8_t> PresetRequest(uint8_t slot) { return Join(kHeaderBytes, {0x62, slot, 0xF7}); }
std::vector<uint8_t> GlobalRequest(uint8_t index) {
  return Join(kHeaderBytes, {0x6B, 0x00, 0x02, 0x00, index, 0xF7});
}

std::vector<uint8_t> DumpToKeyboard(uint8_t slot, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> bytes = Join(Join(kHeaderBytes, {0x61, 0x0A, 0x3B, slot}), data);
  bytes.push_back(0xF7);
  return bytes;
}

// 256-byte pieces with zero padding, as the editor sends them.
std::vector<std::vector<uint8_t>> Pieces(const std::vector<uint8_t>& message) {
  std::vector<std::vector<uint8_t>> pieces;
  for (size_t at = 0; at < message.size(); at += 256) {
    std::vector<uint8_t> piece(256, 0);
    std::copy(message.begin() + static_cast<std::ptrdiff_t>(at),
              message.begin() + static_cast<std::ptrdiff_t>(std::min(message.size(), at + 256)),
              piece.begin());
    pieces.push_back(piece);
  }
  return pieces;
}

class SimulatedKeyboardThreads : public ::testing::Test {
 protected:
  SimulatedKeyboardThreads() {
    mKeyboard.ConnectReplies([this](std::span<const uint8_t> bytes) {
      {
        std::lock_guard lock(mMutex);
        mReplies.emplace_back(bytes.begin(), bytes.end());
      }
      mReplied.notify_all();
    });
  }

  void Send(const std::vector<uint8_t>& message) {
    for (const std::vector<uint8_t>& piece : Pieces(message)) mKeyboard.Receive(piece);
  }

  std::vector<std::vector<uint8_t>> WaitForReplies(size_t count) {
    std::unique_lock lock(mMutex);
    mReplied.wait(lock, [&] { return mReplies.size() >= count; });
    return mReplies;
  }

  std::vector<std::vector<uint8_t>> Replies() {
    std::lock_guard lock(mMutex);
    return mReplies;
  }

  std::mutex mMutex;
  std::condition_variable mReplied;
  std::vector<std::vector<uint8_t>> mReplies;
  SimulatedKeyboard mKeyboard;  // last: its reply thread stops before the members above go
};

TEST_F(SimulatedKeyboardThreads, StartsWithTheDefaultPresetInEverySlot) {
  const std::vector<uint8_t> defaults = MakeDefaultPresetData();
  for (size_t slot = 0; slot < SimulatedKeyboard::kSlotCount; ++slot) {
    const SimulatedKeyboard::Preset preset = mKeyboard.GetSlot(slot);
    EXPECT_TRUE(std::equal(preset.begin(), preset.end(), defaults.begin(), defaults.end())) << slot;
  }
}

TEST_F(SimulatedKeyboardThreads, AnswersEachRequestInTheProtocolsForm) {
  std::vector<uint8_t> data(1338);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7 % 0x80);
  SimulatedKeyboard::Preset preset;
  std::copy(data.begin(), data.end(), preset.begin());
  mKeyboard.SetSlot(12, preset);
  mKeyboard.SetGlobal(5, 130);
  mKeyboard.SetFirmwareVersion("1052");

  Send(kLeadIn);
  Send(kIdentityRequest);
  Send(PresetRequest(12));
  Send(GlobalRequest(5));
  const std::vector<std::vector<uint8_t>> replies = WaitForReplies(3);
  ASSERT_EQ(replies.size(), 3u);
  EXPECT_EQ(replies[0], (std::vector<uint8_t>{0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x00, 0x3C, 0x51, 0x31, 0x05, '1',
                                              '0', '5', '2', 0xF7}));
  EXPECT_EQ(replies[1], DumpReply(12, data));
  EXPECT_EQ(replies[2], Join(kHeaderBytes, {0x6C, 0x00, 0x04, 0x00, 0x05, 0x01, 0x02, 0xF7}));
  EXPECT_EQ(
      mKeyboard.GetEvents(),
      (std::vector<Event>{Event::LeadIn, Event::IdentityRequest, Event::IdentityReply, Event::PresetRequest,
                          Event::PresetDumpReply, Event::GlobalRequest, Event::GlobalReply}));
}

TEST_F(SimulatedKeyboardThreads, StoresDumpsAndGlobalSetsSentInPieces) {
  const std::vector<uint8_t> data(1338, 0x2A);
  Send(DumpToKeyboard(5, data));
  Send(Join(kHeaderBytes, {0x6A, 0x00, 0x04, 0x00, 0x0D, 0x00, 0x7F, 0xF7}));
  const SimulatedKeyboard::Preset slot = mKeyboard.GetSlot(5);
  EXPECT_TRUE(std::equal(slot.begin(), slot.end(), data.begin(), data.end()));
  ASSERT_EQ(mKeyboard.GetStoredDumps().size(), 1u);
  EXPECT_EQ(mKeyboard.GetStoredDumps()[0].slot, 5);
  EXPECT_EQ(mKeyboard.GetGlobal(13), 127);
  EXPECT_EQ(mKeyboard.CountEvents(Event::Piece), 7u);
  EXPECT_EQ(mKeyboard.GetEvents(), (std::vector<Event>{Event::PresetDump, Event::GlobalSet}));
}

// The log as text, without its time stamps: what each message was, with the
// slot or the setting's index and value; no line for the raw pieces.
TEST_F(SimulatedKeyboardThreads, TheLogReadsAsTextWithSlotsAndSettings) {
  Send(DumpToKeyboard(5, std::vector<uint8_t>(1338, 0x2A)));
  Send(Join(kHeaderBytes, {0x6A, 0x00, 0x04, 0x00, 0x0D, 0x01, 0x02, 0xF7}));
  Send(PresetRequest(12));
  Send(GlobalRequest(5));
  WaitForReplies(2);
  std::vector<std::string> lines;
  std::istringstream text(FormatKeyboardLog(mKeyboard.GetLog()));
  for (std::string line; std::getline(text, line);) lines.push_back(line.substr(line.find(" ms  ") + 5));
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "preset dump stored slot 5 (1350 bytes)", "global setting stored index 13 value 130 (15 bytes)",
                       "preset request slot 12 (10 bytes)", "preset dump sent (1350 bytes)",
                       "global setting request index 5 (13 bytes)", "global setting sent (15 bytes)"}));
}

TEST_F(SimulatedKeyboardThreads, StatusByteInsideAMessageAbortsItButRealTimeBytesDoNot) {
  std::vector<uint8_t> dump = DumpToKeyboard(2, std::vector<uint8_t>(1338, 0x11));
  dump[600] = 0x90;  // a note-on status inside the message
  Send(dump);
  std::vector<uint8_t> request = PresetRequest(1);
  request.insert(request.begin() + 4, 0xF8);  // a clock tick may sit anywhere
  Send(request);
  Send({0x01, 0x02, 0xF7});  // data and an end without a start
  EXPECT_EQ(mKeyboard.GetEvents(),
            (std::vector<Event>{Event::Aborted, Event::PresetRequest, Event::PresetDumpReply}));
  EXPECT_TRUE(mKeyboard.GetStoredDumps().empty());
}

TEST_F(SimulatedKeyboardThreads, UnknownMessagesAndSlotsGetNoAnswer) {
  Send(Join(kHeaderBytes, {0x70, 0xF7}));
  Send(PresetRequest(13));
  Send(GlobalRequest(17));
  Send(DumpToKeyboard(13, std::vector<uint8_t>(1338, 0)));
  EXPECT_EQ(mKeyboard.GetEvents(), (std::vector<Event>{Event::Unrecognised, Event::PresetRequest,
                                                       Event::GlobalRequest, Event::PresetDump}));
  EXPECT_TRUE(mKeyboard.GetStoredDumps().empty());
  EXPECT_TRUE(Replies().empty());
}

TEST_F(SimulatedKeyboardThreads, SwitchesSilenceIgnoreAndCorruptReplies) {
  mKeyboard.SetAnswering(false);
  Send(kIdentityRequest);
  mKeyboard.SetAnswering(true);
  mKeyboard.IgnoreNextRequests(2);
  Send(kIdentityRequest);
  Send(kIdentityRequest);
  Send(kIdentityRequest);  // answered
  mKeyboard.SetCorruption(SimulatedKeyboard::Corruption::WrongLength);
  Send(kIdentityRequest);
  mKeyboard.SetCorruption(SimulatedKeyboard::Corruption::WrongHeader);
  Send(GlobalRequest(0));
  mKeyboard.SetCorruption(SimulatedKeyboard::Corruption::None);
  mKeyboard.SetReplyDelay(std::chrono::milliseconds(20));
  mKeyboard.SendUnsolicitedDump(3);

  const std::vector<std::vector<uint8_t>> replies = WaitForReplies(4);
  ASSERT_EQ(replies.size(), 4u);
  EXPECT_EQ(replies[0].size(), 15u);
  EXPECT_EQ(replies[1].size(), 16u);
  EXPECT_EQ(replies[1][14], 0x00);
  EXPECT_EQ(replies[2][1], 0x01);  // another maker's ID
  EXPECT_EQ(replies[3], DumpReply(3, MakeDefaultPresetData()));
  EXPECT_EQ(mKeyboard.CountEvents(Event::IdentityRequest), 5u);
  EXPECT_EQ(mKeyboard.CountEvents(Event::IdentityReply), 2u);
}

}  // namespace
}  // namespace HV::Test
