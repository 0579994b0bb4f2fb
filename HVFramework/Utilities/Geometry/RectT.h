#pragma once

#include "HVFramework/Utilities/Geometry/PointT.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <algorithm>
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

  T Right() const { return x + width; }
  T Bottom() const { return y + height; }
  // Nothing inside: a width or height of zero or less.
  bool IsEmpty() const { return !(width > 0) || !(height > 0); }

  // Moves the rectangle by a point.
  void Offset(const PointT<T>& by) {
    x += by.x;
    y += by.y;
  }

  // Keeps only what this rectangle shares with the other one. Rectangles that
  // do not meet leave an empty rectangle (width and height 0 at the far
  // corner of the overlap), never a negative size that a later
  // normalisation could turn back into an area.
  void Intersect(const RectT& other) {
    const T left = std::max(x, other.x);
    const T top = std::max(y, other.y);
    const T right = std::min(Right(), other.Right());
    const T bottom = std::min(Bottom(), other.Bottom());
    x = left;
    y = top;
    width = right > left ? right - left : T{};
    height = bottom > top ? bottom - top : T{};
  }

  // The overlap of a and b in out (out may be a or b); true when it is wider
  // and higher than the float epsilon, 1.1920929e-7, so that a sliver left
  // by rounding counts as no overlap. Rectangles that do not meet leave out
  // empty at the far corner of the overlap, as Intersect above does, rather
  // than with the negative size a plain difference of the edges would give:
  // no caller can take such a rectangle for an area.
  static bool Intersect(const RectT& a, const RectT& b, RectT& out) {
    RectT overlap = a;
    overlap.Intersect(b);
    out = overlap;
    constexpr double kMinExtent = 1.1920929e-7;
    return static_cast<double>(out.width) > kMinExtent && static_cast<double>(out.height) > kMinExtent;
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
