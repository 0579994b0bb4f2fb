#include "HVFramework/Renderer/OpenGL/GlyphAtlas.h"

#include <algorithm>
#include <cstring>

namespace HV {

namespace {
int32_t PowerOfTwoNotBelow(int32_t size) {
  int32_t side = 1;
  while (side < size && side < GlyphAtlas::kMaxHeight) side *= 2;
  return side;
}
}  // namespace

GlyphAtlas::GlyphAtlas(int32_t fontHeight) {
  int32_t x = 0, y = 0;
  Reserve(0, std::clamp(fontHeight, 0, kMaxHeight), x, y);
}

bool GlyphAtlas::Reserve(int32_t width, int32_t height, int32_t& x, int32_t& y) {
  if (width < 0 || height < 0 || width > kWidth || height > kMaxHeight) return false;
  const bool startsRow = mX + width >= kWidth;
  int32_t rowY = mRowY, rowHeight = mRowHeight, needed;
  if (!startsRow) {
    rowHeight = std::max(rowHeight, height);
    needed = rowY + height;
  } else {
    // The closed row is as tall as its tallest cell, counting this one.
    const int32_t closed = std::max(rowHeight, height);
    rowY += closed;
    rowHeight = height;
    needed = rowY + height + closed;
  }
  if (rowY + height > kMaxHeight) return false;
  needed = std::min(needed, kMaxHeight);
  mRowY = rowY;
  mRowHeight = rowHeight;
  if (startsRow) mX = 0;
  if (mPixels.empty()) {
    mHeight = mRowHeight;
    mPixels.assign(static_cast<size_t>(kWidth) * mHeight, 0);
  }
  if (needed >= mHeight) Grow(needed);
  x = mX;
  y = mRowY;
  mX += width;
  return true;
}

void GlyphAtlas::Grow(int32_t neededHeight) {
  mHeight = PowerOfTwoNotBelow(neededHeight);
  mPixels.resize(static_cast<size_t>(kWidth) * mHeight, 0);
  mDirty = {0, 0, float(kWidth), float(mHeight)};
}

void GlyphAtlas::MarkDirty(const Area& area) {
  if (mDirty.IsEmpty()) {
    mDirty = area;
    return;
  }
  const float left = std::min(mDirty.x, area.x), top = std::min(mDirty.y, area.y);
  const float right = std::max(mDirty.x + mDirty.width, area.x + area.width);
  const float bottom = std::max(mDirty.y + mDirty.height, area.y + area.height);
  mDirty = {left, top, right - left, bottom - top};
}

bool GlyphAtlas::Place(const GlyphCoverage* coverage, int32_t& atX, int32_t& atY) {
  const int32_t width = coverage ? coverage->width : 0, rows = coverage ? coverage->rows : 0;
  int32_t x = 0, y = 0;
  if (width < 0 || rows < 0 || width > kWidth || !Reserve(width + 2, rows + 2, x, y)) return false;
  atX = x + 1;
  atY = y + 1;
  if (coverage && width > 0 && rows > 0 &&
      coverage->bytes.size() >= static_cast<size_t>(coverage->pitch) * (rows - 1) + width &&
      coverage->pitch >= width) {
    for (int32_t row = 0; row < rows; ++row)
      std::memcpy(&mPixels[static_cast<size_t>(atY + row) * kWidth + atX],
                  &coverage->bytes[static_cast<size_t>(row) * coverage->pitch], width);
  }
  MarkDirty({float(x), float(y), float(width + 2), float(rows + 2)});
  return true;
}

}  // namespace HV
