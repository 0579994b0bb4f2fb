#include "DeviceControl/GeneratedCode/Engine/Inc/ParamLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace {

struct LookupCase {
  int32_t relativeID;  // added to the first ID, wrapping
  std::optional<ElementAddress> expected;
};

constexpr int32_t kMin = INT_MIN;
constexpr int32_t kMax = INT_MAX;

TEST(ParamLayout, FindsTheElementOfEveryBoundaryID) {
  using K = ElementKind;
  const LookupCase cases[] = {
      {-1, std::nullopt},
      {0, ElementAddress{K::PresetName, 0}},
      {1, ElementAddress{K::KeybedZone, 0}},
      {4, ElementAddress{K::KeybedZone, 3}},
      {5, ElementAddress{K::Wheel, 0}},
      {6, ElementAddress{K::Wheel, 1}},
      {7, ElementAddress{K::VolumePedal, 0}},
      {8, ElementAddress{K::SustainPedal, 0}},
      {9, ElementAddress{K::Pad, 0}},
      {24, ElementAddress{K::Pad, 15}},
      {25, ElementAddress{K::PushButton, 0}},
      {60, ElementAddress{K::PushButton, 35}},
      {61, ElementAddress{K::Fader, 0}},
      {96, ElementAddress{K::Fader, 35}},
      {97, ElementAddress{K::Encoder, 0}},
      {128, ElementAddress{K::Encoder, 31}},
      {129, ElementAddress{K::TouchPadAxis, 0}},
      {130, ElementAddress{K::TouchPadAxis, 1}},
      {131, std::nullopt},
  };
  for (const int32_t first : {0, 1000}) {
    for (const LookupCase& c : cases) {
      SCOPED_TRACE(testing::Message() << "first " << first << ", relative " << c.relativeID);
      EXPECT_EQ(FindElement(first, OffsetParamID(first, c.relativeID)), c.expected);
    }
  }
}

TEST(ParamLayout, ExtremeIDsFindNothingAndDoNotOverflow) {
  for (const int32_t first : {0, 1000}) {
    for (const int32_t id : {kMin, -1, 131 + first, kMax}) {
      SCOPED_TRACE(testing::Message() << "first " << first << ", id " << id);
      EXPECT_EQ(FindElement(first, id), std::nullopt);
    }
  }
  // A block near the top of the ID range wraps instead of overflowing.
  EXPECT_EQ(FindElement(kMax, kMax), (ElementAddress{ElementKind::PresetName, 0}));
  EXPECT_EQ(FindElement(kMax, kMin), (ElementAddress{ElementKind::KeybedZone, 0}));
  EXPECT_EQ(FindElement(kMin, kMax), std::nullopt);
}

TEST(ParamLayout, TablesCoverTheBlockWithoutGapsAndAddUpTo1338Bytes) {
  int32_t next = 0;
  int32_t bytes = 0;
  for (const ElementLayout& row : kElementLayouts) {
    EXPECT_EQ(row.firstOffset, next);
    EXPECT_EQ(&GetElementLayout(row.kind), &row);
    next += row.count;
    bytes += row.count * row.recordLength;
  }
  EXPECT_EQ(next, kDeviceParamCount);
  EXPECT_EQ(bytes, kPresetDataLength);

  next = 0;
  for (const DeviceGroupLayout& row : kDeviceGroupLayouts) {
    EXPECT_EQ(row.firstOffset, next);
    next += row.paramCount;
  }
  EXPECT_EQ(next, kDeviceParamCount);
}

TEST(ParamLayout, DeviceGroupBoundsPutBothPedalsInOneGroup) {
  const std::pair<uint32_t, std::optional<DeviceGroup>> cases[] = {
      {0, DeviceGroup::PresetName},
      {1, DeviceGroup::KeybedZones},
      {5, DeviceGroup::Wheels},
      {7, DeviceGroup::Pedals},
      {8, DeviceGroup::Pedals},
      {9, DeviceGroup::Pads},
      {25, DeviceGroup::PushButtons},
      {61, DeviceGroup::Faders},
      {97, DeviceGroup::Encoders},
      {128, DeviceGroup::Encoders},
      {129, DeviceGroup::TouchPadAxises},
      {130, DeviceGroup::TouchPadAxises},
      {131, std::nullopt},
      {0xFFFFFFFFu, std::nullopt},
  };
  for (const auto& [relative, expected] : cases) {
    SCOPED_TRACE(relative);
    EXPECT_EQ(FindDeviceGroup(relative), expected);
  }
}

}  // namespace
