#include "HVFramework/Platform/Midi/MidiSysExFilter.h"

#include <gtest/gtest.h>

#include <vector>

namespace HV::Platform {
namespace {

using Bytes = std::vector<uint8_t>;

// Runs every piece through one filter; the runs of each piece, joined.
std::vector<Bytes> CutAll(const std::vector<Bytes>& pieces) {
  LMidiSysExFilter filter;
  std::vector<Bytes> wire;
  for (const Bytes& piece : pieces) {
    for (std::span<const uint8_t> run : filter.Cut(piece)) wire.emplace_back(run.begin(), run.end());
  }
  return wire;
}

TEST(LMidiSysExFilter, KeepsOnlyTheMessageBytesAcrossPieces) {
  struct Row {
    const char* what;
    std::vector<Bytes> pieces;
    std::vector<Bytes> wire;
  };
  const Row rows[] = {
      {"padding after F7 is dropped", {{0xF0, 0x01, 0xF7, 0x00, 0x00}}, {{0xF0, 0x01, 0xF7}}},
      {"a message goes on in the next piece, which starts with a data byte",
       {{0xF0, 0x01, 0x02}, {0x03, 0xF7, 0x00}},
       {{0xF0, 0x01, 0x02}, {0x03, 0xF7}}},
      {"bytes before F0 are dropped", {{0x00, 0x45, 0xF0, 0x01, 0xF7}}, {{0xF0, 0x01, 0xF7}}},
      {"a new F0 ends the open message",
       {{0xF0, 0x01, 0xF0, 0x02, 0xF7}},
       {{0xF0, 0x01}, {0xF0, 0x02, 0xF7}}},
      {"another status ends it and is dropped", {{0xF0, 0x01, 0x90, 0x3C, 0x7F}, {0x00}}, {{0xF0, 0x01}}},
      {"real-time bytes inside stay", {{0xF0, 0xF8, 0x01, 0xF7}}, {{0xF0, 0xF8, 0x01, 0xF7}}},
      {"a piece of padding only sends nothing", {{0x00, 0x00}}, {}},
      {"two messages in one piece",
       {{0xF0, 0x01, 0xF7, 0xF0, 0x02, 0xF7}},
       {{0xF0, 0x01, 0xF7}, {0xF0, 0x02, 0xF7}}},
  };
  for (const Row& row : rows) EXPECT_EQ(CutAll(row.pieces), row.wire) << row.what;
}

}  // namespace
}  // namespace HV::Platform
