#include "HVFramework/Utilities/Geometry/PointT.h"
#include "HVFramework/Utilities/Geometry/RectT.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace HV {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(Rounding, HalfAwayFromZeroWithSaturation) {
  const std::pair<double, int32_t> cases[] = {
      {2.5, 3},
      {-2.5, -3},
      {0.49999, 0},
      {-0.49999, 0},
      {3.0e9, INT32_MAX},
      {-3.0e9, INT32_MIN},
      {kNaN, INT32_MIN},
      {kInf, INT32_MAX},
      {-kInf, INT32_MIN},
      {2147483647.0, INT32_MAX},
      {-2147483648.0, INT32_MIN},
      {2147483647.4, INT32_MAX},
      {-2147483648.4, INT32_MIN},
      {-0.5, -1},
      {0.5, 1},
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

#include "HVFramework/Utilities/Geometry/ColorRectListT.h"
#include "HVFramework/Utilities/Geometry/PolylineT.h"

namespace HV {
namespace {

// RoundHalfAway and the 32-bit rounding follow one rule: halves away from zero.
TEST(Rounding, RoundHalfAwayTableAgreesWithIntegerRounding) {
  const std::pair<double, double> cases[] = {
      {2.5, 3},      {-2.5, -3}, {0.5, 1},  {-0.5, -1},           {1.4999, 1},
      {-1.4999, -1}, {0.0, 0},   {-0.0, 0}, {1e9 + 0.5, 1e9 + 1}, {-1e9 - 0.5, -1e9 - 1},
      {7, 7},        {-7.5, -8},
      // add a half, then cut: the sum of the largest double below 0.5 and 0.5 is 1
      {0.49999999999999994, 1}, {-0.49999999999999994, -1},
  };
  for (const auto& [value, expected] : cases) {
    SCOPED_TRACE(value);
    EXPECT_EQ(RoundHalfAway(value), expected);
    EXPECT_EQ(RoundToInt32(value), static_cast<int32_t>(expected));
  }
  EXPECT_EQ(RoundHalfAway(1e300), 1e300);  // beyond 32 bits: no saturation
  EXPECT_TRUE(std::isnan(RoundHalfAway(kNaN)));
}

TEST(PointT, RoundInPlace) {
  PointT<double> p{2.5, -2.5};
  p.Round();
  EXPECT_EQ(p, (PointT<double>{3, -3}));
  PointT<double> q{-2.4999, 0.49999};
  q.Round();
  EXPECT_EQ(q, (PointT<double>{-2, 0}));
}

TEST(RectT, IntersectKeepsTheOverlapAndEmptiesDisjointRectangles) {
  struct Case {
    RectT<double> a, b, expected;
  };
  const Case cases[] = {
      {{0, 0, 10, 10}, {5, 5, 10, 10}, {5, 5, 5, 5}},
      {{0, 0, 10, 10}, {2, 3, 4, 5}, {2, 3, 4, 5}},
      {{0, 0, 10, 10}, {20, 30, 5, 5}, {20, 30, 0, 0}},  // disjoint: empty, never negative
      {{0, 0, 10, 10}, {10, 0, 5, 5}, {10, 0, 0, 5}},    // touching edge: no area
  };
  for (const Case& c : cases) {
    RectT<double> r = c.a;
    r.Intersect(c.b);
    EXPECT_EQ(r, c.expected);
    EXPECT_EQ(r.IsEmpty(), c.expected.width == 0 || c.expected.height == 0);
  }
}

TEST(RectT, IntersectIntoAnswersWhetherMoreThanTheFloatEpsilonOverlaps) {
  struct Case {
    const char* what;
    RectT<float> a, b, out;
    bool overlaps;
  };
  const Case cases[] = {
      {"crossing", {0, 0, 10, 10}, {5, 5, 10, 10}, {5, 5, 5, 5}, true},
      {"inside", {0, 0, 10, 10}, {2, 3, 4, 5}, {2, 3, 4, 5}, true},
      {"disjoint: empty, never negative", {0, 0, 10, 10}, {20, 30, 5, 5}, {20, 30, 0, 0}, false},
      {"touching edge", {0, 0, 10, 10}, {10, 0, 5, 5}, {10, 0, 0, 5}, false},
      {"a sliver of 1e-7 wide", {0, 0, 1e-7f, 10}, {0, 0, 10, 10}, {0, 0, 1e-7f, 10}, false},
      {"a strip of 2e-7 high", {0, 0, 10, 2e-7f}, {0, 0, 10, 10}, {0, 0, 10, 2e-7f}, true},
  };
  for (const Case& c : cases) {
    RectT<float> out{-1, -1, -1, -1};
    EXPECT_EQ(RectT<float>::Intersect(c.a, c.b, out), c.overlaps) << c.what;
    EXPECT_EQ(out, c.out) << c.what;
    // The result may be written over either input.
    RectT<float> intoA = c.a;
    RectT<float> intoB = c.b;
    EXPECT_EQ(RectT<float>::Intersect(intoA, c.b, intoA), c.overlaps) << c.what;
    EXPECT_EQ(RectT<float>::Intersect(c.a, intoB, intoB), c.overlaps) << c.what;
    EXPECT_EQ(intoA, c.out) << c.what;
    EXPECT_EQ(intoB, c.out) << c.what;
  }
}

TEST(RectT, OffsetByPoint) {
  RectT<double> r{1, 2, 3, 4};
  r.Offset({10, -20});
  EXPECT_EQ(r, (RectT<double>{11, -18, 3, 4}));
}

TEST(DrawableShape, HandlesAreUniqueAndEditsRaiseTheChangedFlag) {
  PolylineT<float> line;
  ColorRectListT<float> rects;
  EXPECT_NE(line.GetHandle(), rects.GetHandle());
  EXPECT_TRUE(line.IsChanged());  // nothing cached yet
  line.SetChanged(false);
  line.AddPoint({1, 2});
  EXPECT_TRUE(line.IsChanged());
  line.SetChanged(false);
  line.SetLineWidth(1);  // unchanged value
  EXPECT_FALSE(line.IsChanged());
  line.SetScale({2, 3});
  EXPECT_TRUE(line.IsChanged());

  const PolylineT<float> copy = line;
  EXPECT_NE(copy.GetHandle(), line.GetHandle());
  EXPECT_EQ(copy.GetPoints(), line.GetPoints());
  EXPECT_EQ(copy.GetScale(), (PointT<float>{2, 3}));

  rects.SetChanged(false);
  rects.AddRect({0, 0, 4, 4}, 0xFF00FF00u);
  EXPECT_TRUE(rects.IsChanged());
  ASSERT_EQ(rects.GetCount(), 1u);
  EXPECT_EQ(rects.GetItems()[0].argb, 0xFF00FF00u);
}

}  // namespace
}  // namespace HV
