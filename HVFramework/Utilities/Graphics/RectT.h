#pragma once

#include "HVFramework/Utilities/Graphics/Rounding.h"

#include <cstdint>

namespace HV {

// RectT: a rectangle as origin plus size (not two corners).
template <class T>
struct RectT {
  T x{};
  T y{};
  T width{};
  T height{};

  // Each field rounded half away from zero and saturated, independently.
  RectT<int32_t> Round() const {
    return {RoundToInt32(x), RoundToInt32(y), RoundToInt32(width), RoundToInt32(height)};
  }

  // Moves the edges to whole pixels: a negative size first moves the origin,
  // then every edge is rounded down (with a tolerance of 2^-52 for values just
  // below a whole number).
  void SnapToPixels() {
    if (width < 0) {
      x += width;
      width = -width;
    }
    if (height < 0) {
      y += height;
      height = -height;
    }
    const T right = FloorToPixel(x + width);
    const T bottom = FloorToPixel(y + height);
    const T left = FloorToPixel(x);
    const T top = FloorToPixel(y);
    x = left;
    y = top;
    width = right - left;
    height = bottom - top;
  }

  friend bool operator==(const RectT&, const RectT&) = default;
};

}  // namespace HV
