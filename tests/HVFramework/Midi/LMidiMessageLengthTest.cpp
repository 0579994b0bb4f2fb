#include "HVFramework/Midi/LMidiMessageLength.h"

#include <gtest/gtest.h>

namespace HV {
namespace {

struct LengthCase {
  uint8_t first;
  uint32_t sent;      // GetShortMessageLength
  uint32_t captured;  // GetCapturedMessageLength
};

TEST(LMidiMessageLength, CountsBytesByTheFirstByte) {
  const LengthCase cases[] = {
      {0x80, 3, 3}, {0x9F, 3, 3}, {0xA0, 3, 3}, {0xB5, 3, 3}, {0xE0, 3, 3},
      {0xC0, 2, 2}, {0xDF, 2, 2},
      {0xF0, 0, 1}, {0xF7, 0, 1},
      {0xF1, 2, 2}, {0xF2, 3, 3}, {0xF3, 2, 2}, {0xF4, 2, 1}, {0xF5, 2, 1},
      {0xF6, 1, 1}, {0xF8, 1, 1}, {0xFE, 1, 1}, {0xFF, 1, 1},
      {0x00, 1, 1}, {0x3C, 1, 1}, {0x7F, 1, 1},
  };
  for (const LengthCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << int{c.first});
    EXPECT_EQ(LMidiMessageLength::GetShortMessageLength(c.first), c.sent);
    EXPECT_EQ(LMidiMessageLength::GetCapturedMessageLength(c.first), c.captured);
  }
}

}  // namespace
}  // namespace HV
