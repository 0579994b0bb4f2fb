#include "HVFramework/Midi/LMidiSysExReassembler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace HV {
namespace {

constexpr uint32_t kBuffer = 256;

std::vector<uint8_t> SysEx(size_t length, uint8_t fill = 0x11) {
  std::vector<uint8_t> bytes(length, fill);
  bytes.front() = 0xF0;
  bytes.back() = 0xF7;
  return bytes;
}

std::vector<uint8_t> Bytes(const RCPtr<LMidiCaptureNotificationData>& message) {
  const std::span<const uint8_t> bytes = message->GetBytes();
  return {bytes.begin(), bytes.end()};
}

class LMidiSysExReassemblerTest : public ::testing::Test {
 protected:
  // Feeds the bytes as full buffers and a last short one; the messages that
  // came out, and after which piece.
  std::vector<std::pair<size_t, std::vector<uint8_t>>> Feed(const std::vector<uint8_t>& stream) {
    std::vector<std::pair<size_t, std::vector<uint8_t>>> out;
    for (size_t offset = 0, piece = 0; offset < stream.size(); offset += kBuffer, ++piece) {
      const size_t count = std::min<size_t>(kBuffer, stream.size() - offset);
      const RCPtr<LMidiCaptureNotificationData> message =
          mReassembler.AddPiece({stream.data() + offset, count}, kBuffer, static_cast<uint32_t>(100 + piece),
                                StringW(u"MIDIIN4 (Tarsel)"));
      if (message) out.emplace_back(piece, Bytes(message));
    }
    return out;
  }

  LMidiSysExReassembler mReassembler;
};

TEST_F(LMidiSysExReassemblerTest, DeliversALongMessageOnceWholeAfterThePieceWithF7) {
  const std::vector<uint8_t> message = SysEx(1350);
  const auto out = Feed(message);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].first, 5u);  // pieces 0-4 are full, piece 5 holds F7
  EXPECT_EQ(out[0].second, message);
  EXPECT_FALSE(mReassembler.HasPending());
}

TEST_F(LMidiSysExReassemblerTest, AFullBufferEndingInF7EndsTheMessage) {
  const std::vector<uint8_t> message = SysEx(2 * kBuffer);
  const auto out = Feed(message);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].first, 1u);
  EXPECT_EQ(out[0].second, message);
}

TEST_F(LMidiSysExReassemblerTest, KeepsTheTimeStampAndPortOfTheFirstPiece) {
  const std::vector<uint8_t> message = SysEx(300);
  ASSERT_FALSE(mReassembler.AddPiece({message.data(), kBuffer}, kBuffer, 7, StringW(u"In")));
  const RCPtr<LMidiCaptureNotificationData> whole =
      mReassembler.AddPiece({message.data() + kBuffer, 300 - kBuffer}, kBuffer, 9, StringW(u"In"));
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->GetTimeStamp(), 7u);
  EXPECT_TRUE(whole->GetPortName() == u"In");
}

TEST_F(LMidiSysExReassemblerTest, DropsPiecesWithoutAStartWhenNothingIsPending) {
  const std::vector<uint8_t> tail = {0x11, 0x22, 0xF7};
  EXPECT_FALSE(mReassembler.AddPiece(tail, kBuffer, 0, StringW(u"In")));
  const std::vector<uint8_t> fullHeadless(kBuffer, 0x11);
  EXPECT_FALSE(mReassembler.AddPiece(fullHeadless, kBuffer, 0, StringW(u"In")));
  EXPECT_FALSE(mReassembler.HasPending());
  // A later message is not glued onto them.
  const std::vector<uint8_t> message = SysEx(10);
  EXPECT_EQ(Feed(message), (std::vector<std::pair<size_t, std::vector<uint8_t>>>{{0, message}}));
}

TEST_F(LMidiSysExReassemblerTest, ANewStartDiscardsTheRemainsOfACutMessage) {
  const std::vector<uint8_t> cut = SysEx(kBuffer + 10);
  ASSERT_FALSE(mReassembler.AddPiece({cut.data(), kBuffer}, kBuffer, 0, StringW(u"In")));
  ASSERT_TRUE(mReassembler.HasPending());
  const std::vector<uint8_t> message = SysEx(600, 0x22);
  const auto out = Feed(message);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].second, message);
}

TEST_F(LMidiSysExReassemblerTest, AnEmptyPieceChangesNothing) {
  const std::vector<uint8_t> message = SysEx(kBuffer + 4);
  ASSERT_FALSE(mReassembler.AddPiece({message.data(), kBuffer}, kBuffer, 0, StringW(u"In")));
  EXPECT_FALSE(mReassembler.AddPiece({}, kBuffer, 0, StringW(u"In")));
  const RCPtr<LMidiCaptureNotificationData> whole =
      mReassembler.AddPiece({message.data() + kBuffer, 4}, kBuffer, 0, StringW(u"In"));
  ASSERT_TRUE(whole);
  EXPECT_EQ(Bytes(whole), message);
}

TEST_F(LMidiSysExReassemblerTest, DropsAMessageThatNeverEnds) {
  std::vector<uint8_t> piece(kBuffer, 0x11);
  piece.front() = 0xF0;
  ASSERT_FALSE(mReassembler.AddPiece(piece, kBuffer, 0, StringW(u"In")));
  piece.front() = 0x11;
  for (uint32_t sent = kBuffer; sent <= LMidiSysExReassembler::kMaxMessageLength; sent += kBuffer)
    ASSERT_FALSE(mReassembler.AddPiece(piece, kBuffer, 0, StringW(u"In")));
  EXPECT_FALSE(mReassembler.HasPending());
  const std::vector<uint8_t> end = {0x11, 0xF7};
  EXPECT_FALSE(mReassembler.AddPiece(end, kBuffer, 0, StringW(u"In")));
}

}  // namespace
}  // namespace HV
