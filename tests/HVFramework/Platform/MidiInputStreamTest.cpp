#include "HVFramework/Platform/MidiInputStream.h"

#include <gtest/gtest.h>

#include <array>
#include <list>
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
  for (int i = 0; i < 3; ++i) stream.Lend(buffers.Make());

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
      stream.Lend(*event.header);
    }
  }
  EXPECT_EQ(sizes, (std::vector<uint32_t>{256, 256, 256, 256, 256, 70}));
  EXPECT_EQ(joined, message);
}

TEST(LMidiInputStream, ShortMessagesUseRunningStatusAndRealTimeBytesCutInAnywhere) {
  Buffers buffers;
  LMidiInputStream stream;
  stream.Lend(buffers.Make());
  const std::vector<uint8_t> bytes = {0x90, 0x3C, 0x7F, 0x3E, 0x00,  // note on, then running status
                                      0xC2, 0x05,                    // program change
                                      0xF0, 0x01, 0xF8, 0x02, 0xF7,  // clock inside a SysEx
                                      0x40,                          // data without status: dropped
                                      0xF2, 0x10, 0x20};
  LMidiInputStream::Events events;
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
  stream.Lend(buffers.Make());
  stream.Lend(buffers.Make());
  const std::vector<uint8_t> bytes = {0xF0, 0x11, 0x22, 0x80, 0x3C, 0x00, 0xF0, 0x33, 0xF7};
  LMidiInputStream::Events events;
  stream.Feed(bytes, 0, events);

  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].kind, MidiEventKind::InputLongError);
  EXPECT_EQ(BytesOf(events[0]), (std::vector<uint8_t>{0xF0, 0x11, 0x22}));
  EXPECT_EQ(events[1].message, 0x003C80u);
  EXPECT_EQ(events[2].kind, MidiEventKind::InputLongData);
  EXPECT_EQ(BytesOf(events[2]), (std::vector<uint8_t>{0xF0, 0x33, 0xF7}));
}

TEST(LMidiInputStream, SysExWithoutLentHeadersIsLostButShortMessagesStillArrive) {
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
  stream.Lend(first);
  stream.Lend(second);

  LMidiInputStream::Events events;
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
