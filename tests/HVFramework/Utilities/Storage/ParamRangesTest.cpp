#include "HVFramework/Utilities/Storage/ParamListItems.h"
#include "HVFramework/Utilities/Storage/ParamRanges.h"

#include "tests/support/Hex.h"
#include "tests/support/VariantSamples.h"

#include <gtest/gtest.h>

#include <vector>

namespace HV {
namespace {

using Test::Serialized;

TEST(ParamRanges, RangesAreListsOfFirstAndCount) {
  const ParamRange input[] = {{10, 3}, {-5, 0}};
  ParamRanges ranges;
  ASSERT_EQ(ranges.Set(input, 2), 0);
  EXPECT_EQ(Serialized(ranges), HV::Test::Hex("64000000 01000000 10000000"
                                          "  2C000000 01000000 10000000"
                                          "    10000000 01000000 06000000 0A000000"
                                          "    10000000 01000000 06000000 03000000"
                                          "  2C000000 01000000 10000000"
                                          "    10000000 01000000 06000000 FBFFFFFF"
                                          "    10000000 01000000 06000000 00000000"));
  ParamRange out;
  EXPECT_EQ(ranges.GetRange(1, out), 0);
  EXPECT_EQ(out.first, -5);
  EXPECT_EQ(out.count, 0);
  EXPECT_EQ(ranges.GetRange(2, out), kParamMissing);
  EXPECT_EQ(out.first, -1);
  EXPECT_EQ(out.count, 0);
}

TEST(ParamRanges, MissingInputKeepsTheOldList) {
  const ParamRange input[] = {{1, 2}};
  ParamRanges ranges;
  ranges.Set(input, 1);
  EXPECT_EQ(ranges.Set(nullptr, 1), kParamMissing);
  EXPECT_EQ(ranges.Set(input, 0), kParamMissing);
  ParamRange out;
  EXPECT_EQ(ranges.GetRange(0, out), 0);
  EXPECT_EQ(out.first, 1);
  EXPECT_EQ(out.count, 2);
}

TEST(ParamRanges, ItemsOfTheWrongShapeAreRefused) {
  const Variant three[] = {Variant(), Variant(), Variant()};
  Variant item;
  item.SetList(three, 3);
  ParamRanges ranges;
  ranges.SetList(&item, 1);
  ParamRange out{7, 8};
  EXPECT_EQ(ranges.GetRange(0, out), kParamWrongShape);
  EXPECT_EQ(out.first, 7);  // untouched
  EXPECT_EQ(out.count, 8);

  ranges.SetString("not a list");
  EXPECT_EQ(ranges.GetRange(0, out), kParamMissing);
}

}  // namespace
}  // namespace HV
