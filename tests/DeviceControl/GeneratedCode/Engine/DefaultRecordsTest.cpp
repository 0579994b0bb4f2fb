#include "DeviceControl/GeneratedCode/Engine/Inc/DefaultRecords.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// 32-bit FNV-1a: pins the whole default block, byte for byte.
uint32_t Fnv1a(const Bytes& data) {
  uint32_t hash = 0x811C9DC5u;
  for (const uint8_t byte : data) hash = (hash ^ byte) * 0x01000193u;
  return hash;
}

TEST(DefaultRecords, JoinedInIDOrderTheyAre1338BytesWithAFixedChecksum) {
  const Bytes data = MakeDefaultPresetData();
  ASSERT_EQ(data.size(), 1338u);
  EXPECT_EQ(Fnv1a(data), 0xFC5CEBAFu);
  EXPECT_EQ(Bytes(data.begin(), data.begin() + 6), (Bytes{'T', 'A', 'R', 'S', 'E', 'L'}));
}

struct SpotCase {
  ElementKind kind;
  int32_t index;
  Bytes expected;
};

Bytes Moveable(uint8_t controller) { return {0, 0, controller, 0, 0, 0x7F}; }

// Button i: channel, colours, b1 = 0, controller, index, ..., 127, HID colour, key, modifier.
Bytes Button(uint8_t colour, uint8_t controller, uint8_t index, uint8_t hid, uint8_t key, uint8_t modifier) {
  return {0, colour, colour, 0, 0, 0, controller, index, 0, 0, 0, 0, 0, 127, hid, key, modifier};
}

TEST(DefaultRecords, SpotRecordsAtEveryRuleBoundary) {
  using K = ElementKind;
  const SpotCase cases[] = {
      {K::PresetName, 0, {0x54, 0x41, 0x52, 0x53, 0x45, 0x4C}},
      {K::KeybedZone, 0, {1, 0, 0, 0, 0, 0, 0x30, 5, 0x0C}},
      {K::KeybedZone, 1, {0, 0, 0, 0, 0, 0, 0x30, 5, 0x0C}},
      {K::KeybedZone, 3, {0, 0, 0, 0, 0, 0, 0x30, 5, 0x0C}},
      {K::Wheel, 0, {0, 1, 0x10, 0, 0x7F}},
      {K::Wheel, 1, {0, 0, 1, 0, 0x7F}},
      {K::VolumePedal, 0, {0, 0, 7, 0, 0, 0x7F}},
      {K::SustainPedal, 0, {0, 0, 0x40, 0, 0, 0x7F}},
      {K::Pad, 0, {0, 0x0A, 0x0D, 7, 5, 1, 0x13, 0x24, 0, 0, 0, 0, 0, 0}},
      {K::Pad, 3, {0, 0x0A, 0x0D, 7, 5, 1, 0x13, 0x27, 0, 0, 0, 0, 0, 0}},
      {K::Pad, 4, {0, 0x0B, 0x0C, 7, 5, 1, 0x13, 0x28, 0, 0, 0, 0, 0, 0}},
      {K::Pad, 15, {0, 0x0D, 0x0A, 7, 5, 1, 0x13, 0x33, 0, 0, 0, 0, 0, 0}},
      {K::PushButton, 0, Button(3, 3, 0, 3, 55, 0)},  // Tab, no modifier
      {K::PushButton, 1, Button(6, 9, 1, 1, 55, 1)},
      {K::PushButton, 2, Button(6, 14, 2, 7, 15, 17)},  // "F" with Option (Mac)
      {K::PushButton, 8, Button(6, 20, 8, 7, 18, 23)},
      {K::PushButton, 9, Button(3, 21, 9, 6, 11, 0)},
      {K::PushButton, 10, Button(7, 22, 10, 5, 73, 0)},  // Delete
      {K::PushButton, 17, Button(7, 29, 17, 7, 0, 0)},
      {K::PushButton, 18, Button(3, 30, 18, 3, 30, 17)},
      {K::PushButton, 19, Button(5, 31, 19, 2, 30, 20)},
      {K::PushButton, 20, Button(5, 102, 20, 1, 13, 17)},
      {K::PushButton, 26, Button(5, 108, 26, 7, 10, 17)},
      {K::PushButton, 27, Button(3, 109, 27, 2, 66, 0)},
      {K::PushButton, 35, Button(2, 117, 35, 3, 26, 0)},
      {K::Fader, 0, Moveable(118)},
      {K::Fader, 9, Moveable(127)},
      {K::Fader, 10, Moveable(0)},
      {K::Fader, 11, Moveable(2)},
      {K::Fader, 12, Moveable(5)},
      {K::Fader, 13, Moveable(6)},
      {K::Fader, 14, Moveable(12)},
      {K::Fader, 15, Moveable(13)},
      {K::Fader, 16, Moveable(32)},
      {K::Fader, 18, Moveable(34)},
      {K::Fader, 19, Moveable(36)},
      {K::Fader, 23, Moveable(40)},
      {K::Fader, 24, Moveable(42)},
      {K::Fader, 25, Moveable(43)},
      {K::Fader, 26, Moveable(48)},
      {K::Fader, 29, Moveable(51)},
      {K::Fader, 30, Moveable(69)},
      {K::Fader, 35, Moveable(74)},
      {K::Encoder, 0, Moveable(35)},
      {K::Encoder, 1, Moveable(41)},
      {K::Encoder, 5, Moveable(47)},
      {K::Encoder, 6, Moveable(52)},
      {K::Encoder, 17, Moveable(63)},
      {K::Encoder, 18, Moveable(75)},
      {K::Encoder, 26, Moveable(83)},
      {K::Encoder, 27, Moveable(85)},
      {K::Encoder, 29, Moveable(87)},
      {K::Encoder, 30, Moveable(89)},
      {K::Encoder, 31, Moveable(90)},
      {K::TouchPadAxis, 0, {0, 0, 0x23, 0, 0, 0x7F, 8, 0x3C, 0x48, 0x3E, 0x40, 0x41, 0x43, 0x45, 0x47}},
      {K::TouchPadAxis, 1, {0, 0, 0x29, 0, 0, 0x7F, 8, 0x45, 0x51, 0x47, 0x48, 0x4A, 0x4C, 0x4D, 0x4F}},
  };
  for (const SpotCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(c.kind) << ", index " << c.index);
    EXPECT_EQ(MakeDefaultRecord(c.kind, c.index), c.expected);
  }
}

TEST(DefaultRecords, MoveableControlDefaultsNeverShareAController) {
  std::set<uint8_t> faders;
  std::set<uint8_t> encoders;
  for (int32_t i = 0; i < 36; ++i) faders.insert(MakeDefaultRecord(ElementKind::Fader, i)[2]);
  for (int32_t i = 0; i < 32; ++i) encoders.insert(MakeDefaultRecord(ElementKind::Encoder, i)[2]);
  EXPECT_EQ(faders.size(), 36u);
  EXPECT_EQ(encoders.size(), 32u);
  for (const uint8_t controller : encoders) EXPECT_EQ(faders.count(controller), 0u) << int{controller};
  for (const uint8_t gap : {48, 51, 64, 74, 84, 88}) EXPECT_EQ(encoders.count(gap), 0u) << int{gap};
}

TEST(DefaultRecords, IndexOutsideTheGroupHasNoDefault) {
  for (const ElementLayout& row : kElementLayouts) {
    SCOPED_TRACE(static_cast<int>(row.kind));
    EXPECT_TRUE(MakeDefaultRecord(row.kind, -1).empty());
    EXPECT_TRUE(MakeDefaultRecord(row.kind, row.count).empty());
    EXPECT_EQ(MakeDefaultRecord(row.kind, row.count - 1).size(), static_cast<size_t>(row.recordLength));
  }
}

}  // namespace
