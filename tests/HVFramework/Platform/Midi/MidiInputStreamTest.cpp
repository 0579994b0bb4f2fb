#include "HVFramework/Platform/Midi/MidiInputStream.h"

#include "HVFramework/Platform/Midi/MidiShortMessage.h"

#include <gtest/gtest.h>

#include <array>
#include <list>
#include <utility>
#include <vector>

namespace HV::Platform {
namespace {

// Headers of 256 bytes, lent to a stream the way the port layer lends them.
struct Buffers {
  std::list<std::array<uint8_t, 256>> storage;
  std::list<MidiHeader> headers;

  MidiHeader& Make() {
    auto& bytes = storage.emplace_back();
    MidiHeader& header = headers.emplace_back();
    header.data = bytes.data();
    header.bufferLength = static_cast<uint32_t>(bytes.size());
    header.flags = MidiHeader::kPrepared;
    return header;
  }
};

std::vector<uint8_t> MakeSysEx(size_t length) {
  std::vector<uint8_t> message(length);
  message.front() = 0xF0;
  for (size_t i = 1; i + 1 < length; ++i) message[i] = static_cast<uint8_t>(i % 0x80);
  message.back() = 0xF7;
  return message;
}

std::vector<uint8_t> BytesOf(const MidiEvent& event) {
  return {event.header->data, event.header->data + event.header->bytesRecorded};
}

TEST(LMidiInputStream, LongMessageArrivesCutIntoTheLentHeadersAndEndsWithTheF7Header) {
  Buffers buffers;
  LMidiInputStream stream;
  LMidiInputStream::Events none;
  for (int i = 0; i < 3; ++i) stream.Lend(buffers.Make(), none);

  // The port layer lends a header again as soon as it comes back.
  const std::vector<uint8_t> message = MakeSysEx(1350);
  std::vector<uint8_t> joined;
  std::vector<uint32_t> sizes;
  for (size_t offset = 0; offset < message.size(); offset += 100) {
    LMidiInputStream::Events events;
    const size_t count = std::min<size_t>(100, message.size() - offset);
    stream.Feed(std::span(message).subspan(offset, count), 7, events);
    for (const MidiEvent& event : events) {
      ASSERT_EQ(event.kind, MidiEventKind::InputLongData);
      EXPECT_TRUE(event.header->IsDone());
      EXPECT_FALSE(event.header->IsInQueue());
      const std::vector<uint8_t> piece = BytesOf(event);
      joined.insert(joined.end(), piece.begin(), piece.end());
      sizes.push_back(event.header->bytesRecorded);
      stream.Lend(*event.header, none);
    }
  }
  EXPECT_EQ(sizes, (std::vector<uint32_t>{256, 256, 256, 256, 256, 70}));
  EXPECT_EQ(joined, message);
  EXPECT_TRUE(none.empty());
}

// A client like the port layer: takes every report in order and lends each
// returned header straight back, so waiting input goes on. What it received
// is laid out again as bytes: long pieces as recorded, short messages by
// their length.
class LendingClient {
 public:
  LendingClient(LMidiInputStream& stream, int headerCount) : mStream(stream) {
    for (int i = 0; i < headerCount; ++i) mStream.Lend(mBuffers.Make(), mPending);
  }

  LMidiInputStream::Overflow Feed(const std::vector<uint8_t>& bytes, uint32_t timeStamp) {
    return mStream.Feed(bytes, timeStamp, mPending);
  }
  void TakeEverything() {
    while (!mPending.empty()) {
      const LMidiInputStream::Events events = std::exchange(mPending, {});
      for (const MidiEvent& event : events) Take(event);
    }
  }

  std::vector<uint8_t> received;
  std::vector<uint32_t> pieceTimeStamps;  // of the long pieces

 private:
  void Take(const MidiEvent& event) {
    if (!event.header) {
      for (uint32_t i = 0; i < LMidiShortMessage::GetLength(static_cast<uint8_t>(event.message)); ++i)
        received.push_back(static_cast<uint8_t>(event.message >> (8 * i)));
      return;
    }
    const std::vector<uint8_t> piece = BytesOf(event);
    received.insert(received.end(), piece.begin(), piece.end());
    pieceTimeStamps.push_back(event.timeStamp);
    mStream.Lend(*event.header, mPending);
  }

  LMidiInputStream& mStream;
  Buffers mBuffers;
  LMidiInputStream::Events mPending;
};

std::vector<uint8_t> Joined(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> joined;
  for (const std::vector<uint8_t>& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

TEST(LMidiInputStream, AReadLargerThanTheLentHeadersWaitsForThemAndArrivesWholeAndInOrder) {
  LMidiInputStream stream;
  LendingClient client(stream, 3);
  const std::vector<uint8_t> read = Joined({MakeSysEx(1350), {0x90, 0x3C, 0x7F}, {0xF8}, MakeSysEx(20)});
  const LMidiInputStream::Overflow overflow = client.Feed(read, 9);
  EXPECT_EQ(overflow.dropped, 0u);
  EXPECT_EQ(stream.GetBacklogSize(), read.size() - 3 * 256);

  client.TakeEverything();
  EXPECT_EQ(client.received, read);
  EXPECT_EQ(client.pieceTimeStamps, (std::vector<uint32_t>(7, 9)));
  EXPECT_EQ(stream.GetBacklogSize(), 0u);
  EXPECT_EQ(stream.GetDroppedByteCount(), 0u);
}

TEST(LMidiInputStream, ReadsBackToBackWaitInOrderAndKeepTheirTimeStamps) {
  LMidiInputStream stream;
  LendingClient client(stream, 3);
  // Two dumps, each read as six pieces of at most 256 bytes, with no chance
  // for the client to lend anything back in between.
  const std::vector<uint8_t> dumps = Joined({MakeSysEx(1350), MakeSysEx(1350)});
  uint32_t read = 0;
  for (const size_t dumpStart : {size_t{0}, size_t{1350}}) {
    for (size_t offset = 0; offset < 1350; offset += 256, ++read) {
      const auto from = dumps.begin() + static_cast<ptrdiff_t>(dumpStart + offset);
      const std::vector<uint8_t> piece(from,
                                       from + static_cast<ptrdiff_t>(std::min<size_t>(256, 1350 - offset)));
      EXPECT_EQ(client.Feed(piece, read).dropped, 0u);
    }
  }
  client.TakeEverything();
  EXPECT_EQ(client.received, dumps);
  // A piece is reported with the time of the read that completed it.
  EXPECT_EQ(client.pieceTimeStamps, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

TEST(LMidiInputStream, TheBacklogIsBoundedAndEachOverflowIsNewOnlyAfterItEmptied) {
  LMidiInputStream stream;
  LendingClient client(stream, 1);
  std::vector<uint8_t> unending(1 + 255 + LMidiInputStream::kMaxBacklog + 100, 0x01);
  unending.front() = 0xF0;

  LMidiInputStream::Overflow overflow = client.Feed(unending, 0);
  EXPECT_EQ(overflow.dropped, 100u);
  EXPECT_TRUE(overflow.isNew);
  overflow = client.Feed({0x01, 0x01}, 0);
  EXPECT_EQ(overflow.dropped, 2u);
  EXPECT_FALSE(overflow.isNew);
  EXPECT_EQ(stream.GetBacklogSize(), LMidiInputStream::kMaxBacklog);

  client.TakeEverything();
  EXPECT_EQ(client.received, std::vector<uint8_t>(unending.begin(), unending.end() - 100));
  EXPECT_EQ(stream.GetBacklogSize(), 0u);
  EXPECT_EQ(stream.GetDroppedByteCount(), 102u);

  // The single header is out again: fill the backlog once more.
  client.Feed(std::vector<uint8_t>(256, 0x01), 0);
  overflow = client.Feed(std::vector<uint8_t>(LMidiInputStream::kMaxBacklog + 1, 0x01), 0);
  EXPECT_EQ(overflow.dropped, 1u);
  EXPECT_TRUE(overflow.isNew);
}

TEST(LMidiInputStream, StopAndResetDropWhatWaits) {
  for (const bool isReset : {false, true}) {
    SCOPED_TRACE(isReset ? "reset" : "stop");
    Buffers buffers;
    LMidiInputStream stream;
    LMidiInputStream::Events events;
    MidiHeader& header = buffers.Make();
    stream.Lend(header, events);
    stream.Feed(MakeSysEx(300), 0, events);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(stream.GetBacklogSize(), 44u);

    events.clear();
    isReset ? stream.Reset(0, events) : stream.Stop(0, events);
    EXPECT_EQ(stream.GetBacklogSize(), 0u);
    stream.Lend(header, events);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(stream.GetDroppedByteCount(), 0u);
  }
}

TEST(LMidiInputStream, ShortMessagesUseRunningStatusAndRealTimeBytesCutInAnywhere) {
  Buffers buffers;
  LMidiInputStream stream;
  LMidiInputStream::Events events;
  stream.Lend(buffers.Make(), events);
  const std::vector<uint8_t> bytes = {0x90, 0x3C, 0x7F, 0x3E, 0x00,  // note on, then running status
                                      0xC2, 0x05,                    // program change
                                      0xF0, 0x01, 0xF8, 0x02, 0xF7,  // clock inside a SysEx
                                      0x40,                          // data without status: dropped
                                      0xF2, 0x10, 0x20};
  stream.Feed(bytes, 3, events);

  ASSERT_EQ(events.size(), 6u);
  const uint32_t messages[] = {0x7F3C90, 0x003E90, 0x05C2, 0xF8};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(events[i].kind, MidiEventKind::InputData);
    EXPECT_EQ(events[i].message, messages[i]);
    EXPECT_EQ(events[i].timeStamp, 3u);
  }
  EXPECT_EQ(events[4].kind, MidiEventKind::InputLongData);
  EXPECT_EQ(BytesOf(events[4]), (std::vector<uint8_t>{0xF0, 0x01, 0x02, 0xF7}));
  EXPECT_EQ(events[5].message, 0x2010F2u);
}

TEST(LMidiInputStream, StatusByteInsideSysExReturnsTheHeaderAsIncomplete) {
  Buffers buffers;
  LMidiInputStream stream;
  LMidiInputStream::Events events;
  stream.Lend(buffers.Make(), events);
  stream.Lend(buffers.Make(), events);
  const std::vector<uint8_t> bytes = {0xF0, 0x11, 0x22, 0x80, 0x3C, 0x00, 0xF0, 0x33, 0xF7};
  stream.Feed(bytes, 0, events);

  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].kind, MidiEventKind::InputLongError);
  EXPECT_EQ(BytesOf(events[0]), (std::vector<uint8_t>{0xF0, 0x11, 0x22}));
  EXPECT_EQ(events[1].message, 0x003C80u);
  EXPECT_EQ(events[2].kind, MidiEventKind::InputLongData);
  EXPECT_EQ(BytesOf(events[2]), (std::vector<uint8_t>{0xF0, 0x33, 0xF7}));
}

TEST(LMidiInputStream, AnInputNeverLentAHeaderDropsSysExAndStillReportsShortMessages) {
  LMidiInputStream stream;
  const std::vector<uint8_t> bytes = {0xF0, 0x01, 0xF7, 0xB0, 0x07, 0x64};
  LMidiInputStream::Events events;
  stream.Feed(bytes, 0, events);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].message, 0x6407B0u);
}

TEST(LMidiInputStream, StopReturnsOnlyAPartlyFilledHeaderAndResetReturnsAll) {
  Buffers buffers;
  LMidiInputStream stream;
  MidiHeader& first = buffers.Make();
  MidiHeader& second = buffers.Make();
  LMidiInputStream::Events events;
  stream.Lend(first, events);
  stream.Lend(second, events);
  stream.Stop(0, events);
  EXPECT_TRUE(events.empty());

  const std::vector<uint8_t> start = {0xF0, 0x01};
  stream.Feed(start, 0, events);
  stream.Stop(0, events);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].header, &first);
  EXPECT_EQ(first.bytesRecorded, 2u);

  events.clear();
  stream.Reset(0, events);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].header, &second);
  EXPECT_TRUE(second.IsDone());
  EXPECT_FALSE(second.IsInQueue());
  EXPECT_FALSE(stream.HasLent());
}

}  // namespace
}  // namespace HV::Platform
