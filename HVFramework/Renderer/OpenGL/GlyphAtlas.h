#pragma once

#include "HVFramework/Renderer/FontRenderer/GlyphRecord.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace HV {

// GlyphAtlas: the coverage pixels of one font's glyphs, one byte a pixel,
// 512 pixels wide, packed row by row; the height doubles on demand up to
// 16384. Keeps the rectangle changed since the last upload. Plain memory:
// the GL texture is its owner's.
class GlyphAtlas {
 public:
  static constexpr int32_t kWidth = 512;
  static constexpr int32_t kMaxHeight = 16384;

  struct Area {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
    bool IsEmpty() const { return !(width > 1.1920929e-7f) || !(height > 1.1920929e-7f); }
  };

  // The first reservation: an empty cell as high as the font size, which
  // makes the pixels and sizes them to a power of two.
  explicit GlyphAtlas(int32_t fontHeight);

  // Finds room for a cell of width x height (borders included) in the
  // current row, or starts a new row when the cell would reach the right
  // edge. False, with nothing changed, when the cell is wider than the atlas
  // or the atlas would grow beyond kMaxHeight.
  bool Reserve(int32_t width, int32_t height, int32_t& x, int32_t& y);
  // Reserves a cell of the glyph's size plus a one-pixel border, copies its
  // coverage inside the border and marks the cell changed. atX, atY: the
  // glyph's first pixel. False when the cell does not fit.
  bool Place(const GlyphCoverage* coverage, int32_t& atX, int32_t& atY);

  int32_t GetHeight() const { return mHeight; }
  const uint8_t* GetPixels() const { return mPixels.data(); }
  uint8_t GetPixel(int32_t x, int32_t y) const { return mPixels[static_cast<size_t>(y) * kWidth + x]; }
  const Area& GetDirty() const { return mDirty; }
  void ClearDirty() { mDirty = {}; }
  int32_t GetRowY() const { return mRowY; }
  int32_t GetRowHeight() const { return mRowHeight; }
  int32_t GetNextX() const { return mX; }

 private:
  void Grow(int32_t neededHeight);
  void MarkDirty(const Area& area);

  std::vector<uint8_t> mPixels;
  int32_t mHeight = 0;
  Area mDirty;
  int32_t mRowY = 0;
  int32_t mX = 0;
  int32_t mRowHeight = 0;
};

}  // namespace HV
