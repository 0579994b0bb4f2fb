#include "HVFramework/Utilities/Storage/ParamDescriptors.h"
#include "HVFramework/Utilities/Storage/ParamListItems.h"
#include "HVFramework/Utilities/Storage/ParamRanges.h"
#include "HVFramework/Utilities/Storage/ParamValues.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace HV {
namespace {

std::vector<int32_t> IDsOf(const ParamDescriptors& descriptors) {
  std::vector<int32_t> ids;
  const uint32_t count = descriptors.GetListCount();
  for (uint32_t i = 0; i < count; ++i) {
    int32_t id = 0;
    Variant descriptor;
    EXPECT_EQ(descriptors.GetParamDescriptor(i, id, descriptor), 0);
    EXPECT_TRUE(descriptor.IsEmpty());
    ids.push_back(id);
  }
  return ids;
}

TEST(ParamDescriptors, ARangeExpandsToItsIDs) {
  const ParamDescriptors descriptors(ParamRange{10, 3});
  EXPECT_EQ(IDsOf(descriptors), (std::vector<int32_t>{10, 11, 12}));
  int32_t id = 0;
  Variant descriptor;
  descriptor.SetString("stale");
  EXPECT_EQ(descriptors.GetParamDescriptor(3, id, descriptor), kParamMissing);
  EXPECT_EQ(id, -1);
  EXPECT_TRUE(descriptor.IsEmpty());

  const ParamDescriptors none(ParamRange{10, 0});
  EXPECT_EQ(none.GetType(), kVariantList);
  EXPECT_EQ(none.GetListCount(), 0u);
}

// Ranges that count nothing (or less) and items that are no range add no IDs.
TEST(ParamDescriptors, RangesExpandInOrderSkippingEmptyAndUnreadableOnes) {
  const ParamRange input[] = {{5, 2}, {100, -3}, {7, 0}, {-2, 3}};
  ParamRanges ranges;
  ranges.Set(input, 4);
  ParamDescriptors descriptors;
  EXPECT_EQ(descriptors.Set(ranges), 0);
  EXPECT_EQ(IDsOf(descriptors), (std::vector<int32_t>{5, 6, -2, -1, 0}));

  Variant items[2];
  ranges.GetListItem(0, items[0]);
  items[1].SetString("no range");
  ranges.SetList(items, 2);
  EXPECT_EQ(descriptors.Set(ranges), 0);
  EXPECT_EQ(IDsOf(descriptors), (std::vector<int32_t>{5, 6}));
}

TEST(ParamDescriptors, RangesPastTheLastIDOrTooLargeAreRefused) {
  const ParamDescriptors top(ParamRange{INT_MAX - 1, 2});
  EXPECT_EQ(IDsOf(top), (std::vector<int32_t>{INT_MAX - 1, INT_MAX}));

  const ParamDescriptors before(ParamRange{1, 1});
  for (const ParamRange& range : {ParamRange{INT_MAX, 2}, ParamRange{0, INT_MAX}, ParamRange{INT_MIN, INT_MAX}}) {
    ParamDescriptors descriptors = before;
    ParamRanges ranges;
    ranges.Set(&range, 1);
    EXPECT_EQ(descriptors.Set(ranges), E_INVALIDARG);
    EXPECT_TRUE(descriptors == before);
  }
}

TEST(ParamDescriptors, DescriptorsRoundTripWithTheirValues) {
  ParamDescriptor input[2] = {ParamDescriptor(64), ParamDescriptor(-1)};
  input[1].descriptor.SetString("knob");
  ParamDescriptors descriptors;
  ASSERT_EQ(descriptors.Set(input, 2), 0);
  int32_t id = 0;
  Variant descriptor;
  EXPECT_EQ(descriptors.GetParamDescriptor(0, id, descriptor), 0);
  EXPECT_EQ(id, 64);
  EXPECT_TRUE(descriptor.IsEmpty());
  EXPECT_EQ(descriptors.GetParamDescriptor(1, id, descriptor), 0);
  EXPECT_EQ(id, -1);
  EXPECT_STREQ(descriptor.GetText(), "knob");

  EXPECT_EQ(descriptors.Set(static_cast<const ParamDescriptor*>(nullptr), 2), kParamMissing);
  EXPECT_EQ(descriptors.Set(input, 0), kParamMissing);
  EXPECT_EQ(descriptors.GetListCount(), 2u);
}

TEST(ParamDescriptors, ValueItemsHaveTheWrongShape) {
  ParamValue value(3);
  ParamValues values;
  values.Set(&value, 1);
  ParamDescriptors descriptors;
  descriptors.Variant::Set(values);
  int32_t id = 0;
  Variant descriptor;
  descriptor.SetString("stale");
  EXPECT_EQ(descriptors.GetParamDescriptor(0, id, descriptor), kParamWrongShape);
  EXPECT_EQ(id, -1);
  EXPECT_TRUE(descriptor.IsEmpty());
}

}  // namespace
}  // namespace HV
