#include "HVFramework/Utilities/Graphics/PointT.h"
#include "HVFramework/Utilities/Graphics/RectT.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace HV {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Rounding, HalfAwayFromZeroWithSaturation) {
  const std::pair<double, int32_t> cases[] = {
      {2.5, 3},           {-2.5, -3},          {0.49999, 0},           {-0.49999, 0},
      {3.0e9, INT32_MAX}, {-3.0e9, INT32_MIN}, {kNaN, INT32_MIN},      {kInf, INT32_MAX},
      {-kInf, INT32_MIN}, {2147483647.0, INT32_MAX}, {-2147483648.0, INT32_MIN},
      {2147483647.4, INT32_MAX}, {-2147483648.4, INT32_MIN}, {-0.5, -1}, {0.5, 1},
  };
  for (const auto& [value, expected] : cases) {
    SCOPED_TRACE(value);
    EXPECT_EQ(RoundToInt32(value), expected);
  }
}

TEST(PointT, RoundToLongRoundsEachAxis) {
  EXPECT_EQ((PointT<double>{2.5, -2.5}.RoundToLong()), (PointT<int32_t>{3, -3}));
  EXPECT_EQ((PointT<double>{0.49999, -0.49999}.RoundToLong()), (PointT<int32_t>{0, 0}));
  PointT<double> p{1, 2};
  p[0] = 5;
  p[7] = 6;
  EXPECT_EQ(p, (PointT<double>{5, 6}));
}

TEST(RectT, RoundSaturatesEachFieldIndependently) {
  EXPECT_EQ((RectT<double>{3.0e9, -3.0e9, kNaN, 1.5}.Round()),
            (RectT<int32_t>{INT32_MAX, INT32_MIN, INT32_MIN, 2}));
}

TEST(RectT, SnapToPixels) {
  struct SnapCase {
    RectT<double> in;
    RectT<double> out;
  };
  const SnapCase cases[] = {
      {{1.5, 2.5, 2.0, -1.0}, {1, 1, 2, 1}},
      {{-0.5, 0, 1, 1}, {-1, 0, 1, 1}},
      {{2.9999999999999996, 2.5, 0, 0}, {3, 2, 0, 0}},
      {{-2.5, 0, 0, 0}, {-3, 0, 0, 0}},
      {{1e300, 0, 1, 1}, {1e300, 0, 0, 1}},
  };
  for (const SnapCase& c : cases) {
    RectT<double> r = c.in;
    r.SnapToPixels();
    EXPECT_EQ(r, c.out) << r.x << "," << r.y << "," << r.width << "," << r.height;
  }
}

TEST(RectT, SnapToPixelsLeavesNaNAndInfinityWithoutUndefinedBehaviour) {
  RectT<double> r{kNaN, kInf, 1, 1};
  r.SnapToPixels();
  EXPECT_TRUE(std::isnan(r.x));
  EXPECT_TRUE(std::isinf(r.y));
}

}  // namespace
}  // namespace HV
