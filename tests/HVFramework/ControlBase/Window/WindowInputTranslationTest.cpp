#include "HVFramework/ControlBase/Window/WindowInputTranslation.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace HV {
namespace {

constexpr uint32_t kCtrl = 0x01, kLCtrl = 0x02, kRCtrl = 0x04;
constexpr uint32_t kShift = 0x08, kLShift = 0x10, kRShift = 0x20;
constexpr uint32_t kAlt = 0x40, kLAlt = 0x80, kRAlt = 0x100;
constexpr uint32_t kSystem = 0x200, kLSystem = 0x400;
constexpr uint32_t kF4 = 0x73;

TEST(WindowKeyTranslation, KeyCodesCarryTheKeyTheModifiersTheDownBitAndTheFlag) {
  struct Row {
    uint32_t virtualKey;
    uint32_t modifiers;
    KeyTransition transition;
    bool repeat;
    uint32_t code;
    uint32_t sideMask;
    uint8_t flag;
  };
  const Row rows[] = {
      // A plain key down, its repeat and its release.
      {'A', 0, KeyTransition::Down, false, 0x20410000, 0, 0},
      {'A', 0, KeyTransition::Down, true, 0x20410000, 0, 1},
      {'A', 0, KeyTransition::Up, false, 0x00410000, 0, 1},
      {'A', 0, KeyTransition::Up, true, 0x00410000, 0, 1},
      // Alt+F4 is an ordinary key with Alt, from the left Alt key.
      {kF4, kAlt | kLAlt, KeyTransition::Down, false, 0x24730000, 0x10, 0},
      // Each modifier's bit, and the side of the key that holds it.
      {'S', kCtrl | kRCtrl, KeyTransition::Down, false, 0x21530000, 0x08, 0},
      {'S', kShift | kLShift, KeyTransition::Down, false, 0x22530000, 0x01, 0},
      {'S', kShift | kRShift | kAlt | kRAlt, KeyTransition::Down, false, 0x26530000, 0x22, 0},
      {'S', kSystem | kLSystem, KeyTransition::Down, false, 0x28530000, 0x40, 0},
      {'S', kCtrl | kLCtrl | kShift | kLShift, KeyTransition::Up, false, 0x03530000, 0x05, 1},
      // A modifier flag without a side bit has no side.
      {'S', kCtrl, KeyTransition::Down, false, 0x21530000, 0, 0},
  };
  for (const Row& row : rows) {
    const std::optional<KeyCode> key = MakeKeyCode(row.virtualKey, row.modifiers, row.transition, row.repeat);
    ASSERT_TRUE(key) << row.virtualKey;
    EXPECT_EQ(key->code, row.code) << std::hex << row.virtualKey << " " << row.modifiers;
    EXPECT_EQ(key->sideMask, row.sideMask) << std::hex << row.modifiers;
    EXPECT_EQ(key->flag, row.flag) << row.virtualKey;
  }
}

TEST(WindowKeyTranslation, AKeyWithoutVirtualKeyPassesOnlyWithAlt) {
  // Ctrl+Alt: a key-down made of the modifiers alone.
  std::optional<KeyCode> key = MakeKeyCode(0, kCtrl | kAlt, KeyTransition::Down, false);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->code, 0x25000000u);
  // Alt alone: the modifier bits alone, without the down bit.
  key = MakeKeyCode(0, kAlt | kShift, KeyTransition::Down, false);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->code, 0x06000000u);
  // Ctrl alone, Shift alone or nothing: dropped.
  EXPECT_FALSE(MakeKeyCode(0, kCtrl, KeyTransition::Down, false));
  EXPECT_FALSE(MakeKeyCode(0, kShift, KeyTransition::Up, false));
  EXPECT_FALSE(MakeKeyCode(0, 0, KeyTransition::Down, false));
}

TEST(WindowKeyTranslation, TextBecomesCharactersExceptUnderAltOrTheSystemKey) {
  struct Row {
    uint32_t modifiers;
    size_t count;
  };
  const Row rows[] = {
      {0, 2}, {kShift, 2}, {kCtrl, 2}, {kCtrl | kAlt, 2}, {kAlt, 0}, {kAlt | kShift, 0}, {kSystem, 0},
  };
  for (const Row& row : rows) EXPECT_EQ(MakeCharacterKeys("ab", row.modifiers).size(), row.count) << row.modifiers;

  // Ctrl and Shift stay with the character; Alt does not.
  const std::vector<KeyCode> keys = MakeCharacterKeys("\xC3\xA9", kCtrl | kLCtrl | kAlt | kShift);
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].code, 0x030000E9u);
  EXPECT_EQ(keys[0].sideMask, 0x04u);
  // A character beyond the 16-bit range arrives as its two UTF-16 units.
  EXPECT_EQ(MakeCharacterKeys("\xF0\x9F\x8E\xB9", 0).size(), 2u);
}

TEST(WindowWheelTranslation, NotchesAddUpToOneStepPerEvent) {
  struct Row {
    int32_t delta;
    bool horizontal;
    std::optional<int32_t> direction;
    int32_t remainder;
  };
  // One accumulator through the rows, in order.
  const Row rows[] = {
      {60, false, std::nullopt, 60},  // half a notch: nothing yet
      {60, false, 1, 0},              // the second half: one step up
      {360, false, 1, 0},             // three notches at once: still one step
      {-130, false, 0, -10},          // down, the rest kept with its sign
      {-110, false, 0, 0},
      {119, true, std::nullopt, 119},  // the sideways wheel adds up on its own
      {1, true, 3, 0},
      {-240, true, 2, 0},
      {-50, false, std::nullopt, -50},
      {100, false, std::nullopt, 50},  // a change of direction is netted
  };
  WheelAccumulator wheel;
  for (const Row& row : rows) {
    EXPECT_EQ(wheel.Add(row.delta, row.horizontal), row.direction) << row.delta;
    EXPECT_EQ(wheel.GetRemainder(row.horizontal), row.remainder) << row.delta;
  }
}

TEST(WindowWheelTranslation, ExtremeDeltasDoNotOverflow) {
  WheelAccumulator wheel;
  EXPECT_EQ(wheel.Add(INT32_MAX, false), 1);
  EXPECT_EQ(wheel.Add(INT32_MAX, false), 1);
  EXPECT_LT(wheel.GetRemainder(false), WheelAccumulator::kStep);
  EXPECT_EQ(wheel.Add(INT32_MIN, false), 0);
}

TEST(WindowCursors, NamesMapToTheWindowSystemsCursors) {
  EXPECT_EQ(CursorKindFromHandle(CursorHandleFromName(StringW(u"UI_CURSOR_ARROW"))), Platform::CursorKind::Arrow);
  EXPECT_EQ(CursorKindFromHandle(CursorHandleFromName(StringW(u"UI_CURSOR_WAIT"))), Platform::CursorKind::Wait);
  EXPECT_EQ(CursorKindFromHandle(CursorHandleFromName(StringW(u"UI_CURSOR_SIZE_NS"))), Platform::CursorKind::SizeNS);
  EXPECT_EQ(CursorKindFromHandle(CursorHandleFromName(StringW(u"UI_CURSOR_SIZE_WE"))), Platform::CursorKind::SizeWE);
  EXPECT_NE(CursorHandleFromName(StringW(u"UI_CURSOR_ARROW")), 0u);
  EXPECT_EQ(CursorHandleFromName(StringW(u"UI_CURSOR_ROTATE")), 0u);
  EXPECT_EQ(CursorHandleFromName(StringW(u"ui_cursor_arrow")), 0u);
  // Unknown handles show the arrow.
  EXPECT_EQ(CursorKindFromHandle(0), Platform::CursorKind::Arrow);
  EXPECT_EQ(CursorKindFromHandle(9999), Platform::CursorKind::Arrow);
}

}  // namespace
}  // namespace HV
