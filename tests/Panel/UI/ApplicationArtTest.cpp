// The editor's pictures outside the skin: the window icon in every size and
// the two drag-and-drop cursors, loaded from the rendered art the program
// embeds, as the window system will take them.
#include "Panel/UI/ApplicationArt.h"

#include "HVFramework/Platform/UI/HeadlessWindowSystem.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace HV::Editor {
namespace {

uint32_t PixelAt(const RCPtr<LBitmap>& bitmap, int32_t x, int32_t y) { return bitmap->GetPixel(x, y).ToARGB(); }

uint32_t PixelAt(const Platform::CursorImage& image, int32_t x, int32_t y) {
  return image.pixels[static_cast<size_t>(y * image.width + x)];
}

TEST(ApplicationIcon, ComesInEverySizeAsARoundedSquare) {
  const std::vector<RCPtr<LBitmap>> icon = LoadApplicationIcon();
  ASSERT_EQ(icon.size(), kIconSizes.size());
  for (size_t i = 0; i < icon.size(); ++i) {
    const int32_t size = kIconSizes[i];
    SCOPED_TRACE(size);
    ASSERT_TRUE(icon[i] && icon[i]->HasImage());
    EXPECT_EQ(icon[i]->GetWidth(), size);
    EXPECT_EQ(icon[i]->GetHeight(), size);
    // The corners are rounded away; the ground is opaque near the top's middle.
    for (const auto& [x, y] : {std::pair{0, 0}, {size - 1, 0}, {0, size - 1}, {size - 1, size - 1}})
      EXPECT_EQ(PixelAt(icon[i], x, y) >> 24, 0u) << x << ", " << y;
    EXPECT_EQ(PixelAt(icon[i], size / 2, size / 8 + 1) >> 24, 0xFFu);
  }
}

TEST(ApplicationIcon, ShowsWhiteAndBlackKeysOnItsLargestSize) {
  const RCPtr<LBitmap> large = LoadApplicationIcon().back();
  // The first white key's middle, low down; the first black key, high up.
  EXPECT_EQ(PixelAt(large, 76, 180), 0xFFF4F6F8u);
  EXPECT_EQ(PixelAt(large, 102, 100), 0xFF1B1F24u);
}

struct CursorRow {
  const char* name;
  Platform::CursorImage (*load)();
};
constexpr CursorRow kCursors[] = {{"drop move", &LoadDropMoveCursor}, {"drop copy", &LoadDropCopyCursor}};

TEST(DropCursors, Are32PixelsWithTheHotSpotOnTheArrowsTip) {
  for (const CursorRow& row : kCursors) {
    SCOPED_TRACE(row.name);
    const Platform::CursorImage cursor = row.load();
    EXPECT_EQ(cursor.width, 32);
    EXPECT_EQ(cursor.height, 32);
    ASSERT_EQ(cursor.pixels.size(), 32u * 32u);
    EXPECT_EQ(cursor.hotX, 0);
    EXPECT_EQ(cursor.hotY, 0);
    // The tip is drawn; beside it, outside the arrow, nothing is.
    EXPECT_EQ(PixelAt(cursor, 0, 0), 0xFF000000u);
    EXPECT_EQ(PixelAt(cursor, 2, 0) >> 24, 0u);
    // The window system makes a cursor of it.
    Platform::HeadlessWindowSystem system;
    EXPECT_NE(system.CreateImageCursor(cursor), 0u);
  }
}

// The copy cursor is the move cursor and a "+" mark in the corner the move
// cursor leaves empty.
TEST(DropCursors, CopyAddsItsMarkToTheMoveCursorAndChangesNothingElse) {
  const Platform::CursorImage move = LoadDropMoveCursor();
  const Platform::CursorImage copy = LoadDropCopyCursor();
  ASSERT_EQ(move.pixels.size(), copy.pixels.size());
  ASSERT_FALSE(move.pixels.empty());
  int32_t added = 0;
  for (int32_t y = 0; y < 32; ++y) {
    for (int32_t x = 0; x < 32; ++x) {
      if (PixelAt(move, x, y) == PixelAt(copy, x, y)) continue;
      EXPECT_EQ(PixelAt(move, x, y) >> 24, 0u) << x << ", " << y;
      EXPECT_TRUE(x >= 22 && y >= 22) << x << ", " << y;
      ++added;
    }
  }
  EXPECT_GT(added, 0);
}

}  // namespace
}  // namespace HV::Editor
