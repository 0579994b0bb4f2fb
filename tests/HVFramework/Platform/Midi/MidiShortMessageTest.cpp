#include "HVFramework/Platform/Midi/MidiShortMessage.h"

#include <gtest/gtest.h>

namespace HV::Platform {
namespace {

TEST(LMidiShortMessage, LengthFollowsTheStatusByte) {
  struct Row {
    uint8_t status;
    uint32_t length;
  };
  const Row rows[] = {
      {0x00, 0}, {0x7F, 0},                                   // data bytes start nothing
      {0x80, 3}, {0x9F, 3}, {0xA0, 3}, {0xB5, 3}, {0xE0, 3},  // two data bytes
      {0xC0, 2}, {0xCF, 2}, {0xD3, 2},                        // one data byte
      {0xF0, 0}, {0xF7, 0},                                   // System Exclusive
      {0xF1, 2}, {0xF2, 3}, {0xF3, 2}, {0xF4, 1}, {0xF5, 1},
      {0xF6, 1}, {0xF8, 1}, {0xFA, 1}, {0xFE, 1}, {0xFF, 1},  // real time
  };
  for (const Row& row : rows) {
    EXPECT_EQ(LMidiShortMessage::GetLength(row.status), row.length) << std::hex << int{row.status};
  }
}

TEST(LMidiShortMessage, PacksOnlyTheBytesPresent) {
  const uint8_t noteOn[] = {0x90, 0x3C, 0x7F, 0x55};
  EXPECT_EQ(LMidiShortMessage::Pack(std::span(noteOn, 3)), 0x7F3C90u);
  EXPECT_EQ(LMidiShortMessage::Pack(std::span(noteOn, 4)), 0x7F3C90u);  // never a fourth byte
  const uint8_t programChange[] = {0xC1, 0x05};
  EXPECT_EQ(LMidiShortMessage::Pack(programChange), 0x05C1u);
  const uint8_t clock[] = {0xF8};
  EXPECT_EQ(LMidiShortMessage::Pack(clock), 0xF8u);
  EXPECT_EQ(LMidiShortMessage::Pack({}), 0u);
}

TEST(LMidiShortMessage, UnpacksTheBytesTheStatusCallsFor) {
  EXPECT_EQ(LMidiShortMessage::Unpack(0xAA7F3C90u), (std::vector<uint8_t>{0x90, 0x3C, 0x7F}));
  EXPECT_EQ(LMidiShortMessage::Unpack(0xAA7F05C1u), (std::vector<uint8_t>{0xC1, 0x05}));
  EXPECT_EQ(LMidiShortMessage::Unpack(0x12345678u), std::vector<uint8_t>{});  // data byte first
  EXPECT_EQ(LMidiShortMessage::Unpack(0x000000F0u), std::vector<uint8_t>{});
}

}  // namespace
}  // namespace HV::Platform
