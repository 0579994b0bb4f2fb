#include "HVFramework/Renderer/LRectRegion.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <thread>
#include <vector>

namespace HV {
namespace {

using ::testing::ElementsAre;

// Which pixels of a 32 x 32 grid a region covers, and how many times.
using Coverage = std::array<std::array<int, 32>, 32>;

Coverage Cover(const LRectRegion& region) {
  Coverage grid{};
  for (const RegionRect& r : region.GetRects())
    for (int y = std::max(r.top, 0); y < std::min(r.bottom, 32); ++y)
      for (int x = std::max(r.left, 0); x < std::min(r.right, 32); ++x) ++grid[y][x];
  return grid;
}

void Paint(Coverage& grid, const RegionRect& r, int value) {
  for (int y = std::max(r.top, 0); y < std::min(r.bottom, 32); ++y)
    for (int x = std::max(r.left, 0); x < std::min(r.right, 32); ++x) grid[y][x] = value;
}

RegionRect RandomRect(std::mt19937& random) {
  std::uniform_int_distribution<int> coordinate(-2, 33);
  const int a = coordinate(random), b = coordinate(random), c = coordinate(random), d = coordinate(random);
  return {std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d)};
}

bool HasNoOverlaps(const LRectRegion& region) {
  const std::vector<RegionRect> rects = region.GetRects();
  for (size_t i = 0; i < rects.size(); ++i)
    for (size_t j = i + 1; j < rects.size(); ++j)
      if (rects[i].Overlaps(rects[j])) return false;
  return true;
}

TEST(LRectRegion, AddKeepsTheListOrderOfThePieces) {
  LRectRegion region;
  region.AddRect({0, 0, 10, 10});
  region.AddRect({5, 5, 15, 15});
  EXPECT_THAT(region.GetRects(),
              ElementsAre(RegionRect{5, 5, 15, 15}, RegionRect{0, 5, 5, 10}, RegionRect{0, 0, 10, 5}));
  std::vector<RectT<int32_t>> array{{9, 9, 9, 9}};
  region.ToRectArray(array);
  EXPECT_THAT(array, ElementsAre(RectT<int32_t>{5, 5, 10, 10}, RectT<int32_t>{0, 5, 5, 5},
                                 RectT<int32_t>{0, 0, 10, 5}));
}

TEST(LRectRegion, EdgeCases) {
  LRectRegion region;
  region.AddRect({3, 3, 3, 9});  // empty
  EXPECT_TRUE(region.IsEmpty());
  RegionRect bounds{1, 2, 3, 4};
  EXPECT_FALSE(region.GetBounds(bounds));
  EXPECT_EQ(bounds, (RegionRect{}));

  region.AddRect({0, 0, 10, 10});
  region.SubtractRect({10, 0, 20, 10});  // only touches the edge
  EXPECT_THAT(region.GetRects(), ElementsAre(RegionRect{0, 0, 10, 10}));

  LRectRegion other;
  other.AddRect({5, 5, 20, 20});
  region.Intersect(other);
  EXPECT_THAT(region.GetRects(), ElementsAre(RegionRect{5, 5, 10, 10}));

  region.Offset(-5, 2);
  EXPECT_TRUE(region.GetBounds(bounds));
  EXPECT_EQ(bounds, (RegionRect{0, 7, 5, 12}));
}

TEST(LRectRegion, NormalizeMergesNeighboursAndBands) {
  struct Case {
    std::vector<RegionRect> in;
    std::vector<RegionRect> out;
  };
  const Case cases[] = {
      {{{0, 0, 5, 10}, {5, 0, 10, 10}}, {{0, 0, 10, 10}}},
      {{{0, 0, 10, 5}, {0, 5, 10, 10}}, {{0, 0, 10, 10}}},
      {{{0, 5, 10, 10}, {0, 0, 10, 5}}, {{0, 0, 10, 10}}},
      {{{0, 0, 4, 4}, {0, 4, 4, 8}, {0, 8, 4, 12}}, {{0, 0, 4, 12}}},
  };
  for (const Case& c : cases) {
    LRectRegion region;
    for (const RegionRect& r : c.in) region.AddRect(r);
    region.Normalize();
    EXPECT_EQ(region.GetRects(), c.out);
  }
}

TEST(LRectRegion, IntersectsBoundsClampsAndRounds) {
  LRectRegion region;
  region.AddRect({0, 0, 4, 4});
  EXPECT_FALSE(region.IntersectsBounds({1, 1, 0, 2}, {0, 0}));   // no width
  EXPECT_TRUE(region.IntersectsBounds({-5, 0, 10, 1}, {0, 0}));  // tested as 0..5
  EXPECT_FALSE(region.IntersectsBounds({-5, 0, 5, 1}, {0, 0}));  // right edge 0
  EXPECT_TRUE(region.IntersectsBounds({0, 0, 1, 1}, {3.4, 3.4}));
  EXPECT_FALSE(region.IntersectsBounds({0, 0, 1, 1}, {3.5, 3.5}));  // rounds to 4: touching only
  EXPECT_TRUE(region.IntersectsRect({3, 3, 9, 9}));
  EXPECT_FALSE(region.IntersectsRect({4, 0, 9, 9}));
}

// Random sequences of every operation, checked pixel by pixel against a plain grid.
TEST(LRectRegion, RandomOperationsMatchACoverageGrid) {
  std::mt19937 random(20261210);
  for (int round = 0; round < 200; ++round) {
    LRectRegion region;
    Coverage expected{};
    for (int step = 0; step < 12; ++step) {
      const RegionRect r = RandomRect(random);
      switch (random() % 4) {
        case 0:
        case 1:
          region.AddRect(r);
          Paint(expected, r, 1);
          break;
        case 2: {
          LRectRegion removed;
          const Coverage before = Cover(region);
          region.SubtractRect(r, &removed);
          Paint(expected, r, 0);
          Coverage removedExpected{};
          for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) removedExpected[y][x] = before[y][x] - expected[y][x];
          ASSERT_EQ(Cover(removed), removedExpected);
          break;
        }
        default: {
          LRectRegion other;
          other.AddRect(r);
          other.AddRect(RandomRect(random));
          const Coverage mask = Cover(other);
          region.Intersect(other);
          for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) expected[y][x] &= mask[y][x];
          break;
        }
      }
      ASSERT_TRUE(HasNoOverlaps(region));
      ASSERT_EQ(Cover(region), expected) << "round " << round << " step " << step;
    }
    region.Normalize();
    ASSERT_TRUE(HasNoOverlaps(region));
    ASSERT_EQ(Cover(region), expected) << "after Normalize, round " << round;
  }
}

TEST(LRectRegion, AppendKeepsOverlapsAndSubtractRemovesEveryCopy) {
  LRectRegion a, b;
  a.AddRect({0, 0, 4, 4});
  b.AddRect({2, 2, 6, 6});
  a.AppendRegion(b);
  a.AppendRegion(a);
  EXPECT_EQ(a.GetCount(), 4);
  LRectRegion copy(a);
  a.Subtract(copy);
  EXPECT_TRUE(a.IsEmpty());
}

TEST(LRectRegion, PoolOverflowsToTheHeapAndTakesNodesBack) {
  RectRegionNodePool& pool = RectRegionNodePool::Instance();
  const int32_t liveBefore = pool.GetLiveCount();
  {
    LRectRegion region;
    for (int32_t i = 0; i < RectRegionNodePool::kSlotCount + 1 - liveBefore; ++i)
      region.AddRect({i, 0, i + 1, 1});
    EXPECT_EQ(pool.GetLiveCount(), RectRegionNodePool::kSlotCount + 1);
    EXPECT_EQ(pool.GetFreeSlotCount(), 0);
    EXPECT_GE(pool.GetPeakCount(), RectRegionNodePool::kSlotCount + 1);
    region.AddRect({-10, 0, 0, 1});  // the 514th node, from the heap too
    EXPECT_EQ(region.GetCount(), RectRegionNodePool::kSlotCount + 2 - liveBefore);
  }
  EXPECT_EQ(pool.GetLiveCount(), liveBefore);
  EXPECT_EQ(pool.GetFreeSlotCount(), RectRegionNodePool::kSlotCount - liveBefore);
}

TEST(RectRegionPoolThreads, TwoThreadsShareThePool) {
  RectRegionNodePool& pool = RectRegionNodePool::Instance();
  const int32_t liveBefore = pool.GetLiveCount();
  auto work = [](unsigned seed) {
    std::mt19937 random(seed);
    // 300 nodes a thread: together past the 512 slots, so both threads also use the heap.
    LRectRegion ballast;
    for (int32_t i = 0; i < 300; ++i) ballast.AddRect({i, 100, i + 1, 101});
    for (int round = 0; round < 300; ++round) {
      LRectRegion region;
      for (int i = 0; i < 40; ++i) region.AddRect(RandomRect(random));
      LRectRegion other;
      other.AddRect(RandomRect(random));
      region.Subtract(other);
    }
  };
  std::thread first(work, 1u), second(work, 2u);
  first.join();
  second.join();
  EXPECT_EQ(pool.GetLiveCount(), liveBefore);
}

}  // namespace
}  // namespace HV
