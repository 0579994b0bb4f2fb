#include "HVFramework/Renderer/OpenGL/GlyphAtlas.h"

#include <gtest/gtest.h>

#include <vector>

namespace HV {
namespace {

// Reserves cells of the given widths, all of one height, and returns their positions.
std::vector<std::pair<int32_t, int32_t>> ReserveRow(GlyphAtlas& atlas, const std::vector<int32_t>& widths,
                                                    int32_t height) {
  std::vector<std::pair<int32_t, int32_t>> at;
  for (int32_t w : widths) {
    int32_t x = -1, y = -1;
    EXPECT_TRUE(atlas.Reserve(w, height, x, y));
    at.emplace_back(x, y);
  }
  return at;
}

TEST(GlyphAtlas, StartsAsHighAsThePowerOfTwoOfTheFontSize) {
  const struct { int32_t fontHeight, atlasHeight; } cases[] = {{12, 16}, {16, 16}, {0, 1}, {100, 128}};
  for (const auto& c : cases) {
    GlyphAtlas atlas(c.fontHeight);
    EXPECT_EQ(atlas.GetHeight(), c.atlasHeight) << c.fontHeight;
    EXPECT_EQ(atlas.GetDirty().width, 512);  // all of it is new
    EXPECT_EQ(atlas.GetDirty().height, c.atlasHeight);
  }
}

TEST(GlyphAtlas, ACellThatWouldEndAtTheEdgeStartsTheNextRow) {
  GlyphAtlas atlas(4);
  const auto at = ReserveRow(atlas, {200, 200, 112, 50}, 10);
  EXPECT_EQ(at[0], std::make_pair(0, 0));
  EXPECT_EQ(at[1], std::make_pair(200, 0));
  EXPECT_EQ(at[2], std::make_pair(0, 10));  // 400 + 112 = 512: a new row
  EXPECT_EQ(at[3], std::make_pair(112, 10));
}

TEST(GlyphAtlas, RowsAreAsTallAsTheirTallestCell) {
  GlyphAtlas atlas(4);
  int32_t x, y;
  ASSERT_TRUE(atlas.Reserve(300, 30, x, y));  // the first cell is the tallest
  ASSERT_TRUE(atlas.Reserve(100, 10, x, y));
  ASSERT_TRUE(atlas.Reserve(200, 10, x, y));
  EXPECT_EQ(y, 30);
  EXPECT_EQ(x, 0);
  EXPECT_GE(atlas.GetHeight(), 40);
  EXPECT_EQ(atlas.GetHeight() & (atlas.GetHeight() - 1), 0);  // a power of two
}

TEST(GlyphAtlas, CopiesCoverageInsideABorderAndMarksTheCell) {
  GlyphAtlas atlas(8);
  atlas.ClearDirty();
  GlyphCoverage glyph{2, 3, 4, {1, 2, 0, 0, 3, 4, 0, 0, 5, 6, 0, 0}};  // pitch wider than the glyph
  int32_t x = 0, y = 0;
  ASSERT_TRUE(atlas.Place(&glyph, x, y));
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 1);
  EXPECT_EQ(atlas.GetPixel(1, 1), 1);
  EXPECT_EQ(atlas.GetPixel(2, 3), 6);
  EXPECT_EQ(atlas.GetPixel(3, 1), 0);  // the border stays clear
  EXPECT_EQ(atlas.GetDirty().width, 4);
  EXPECT_EQ(atlas.GetDirty().height, 5);
  ASSERT_TRUE(atlas.Place(nullptr, x, y));  // an empty glyph takes a 2 x 2 cell
  EXPECT_EQ(x, 5);
  EXPECT_EQ(atlas.GetDirty().width, 6);  // the union of both cells
  EXPECT_EQ(atlas.GetNextX(), 6);
}

TEST(GlyphAtlas, CellsThatDoNotFitAreSkipped) {
  GlyphAtlas atlas(8);
  int32_t x = 0, y = 0;
  GlyphCoverage wide{511, 1, 511, std::vector<uint8_t>(511, 255)};  // 513 with its border
  EXPECT_FALSE(atlas.Place(&wide, x, y));
  EXPECT_EQ(atlas.GetNextX(), 0);
  EXPECT_TRUE(atlas.Reserve(512, 8, x, y));  // exactly the width fits
  // Rows up to the height limit, then nothing more.
  int32_t rows = 0;
  while (atlas.Reserve(512, 1000, x, y)) ++rows;
  EXPECT_LE(y + 1000, GlyphAtlas::kMaxHeight);
  EXPECT_EQ(atlas.GetHeight(), GlyphAtlas::kMaxHeight);
  EXPECT_GT(rows, 10);
  const int32_t rowY = atlas.GetRowY();
  EXPECT_FALSE(atlas.Reserve(10, 1000, x, y));
  EXPECT_EQ(atlas.GetRowY(), rowY);  // nothing changed
}

}  // namespace
}  // namespace HV
