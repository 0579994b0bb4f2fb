#pragma once

#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <cstdint>

namespace HV {

// PointT: a point of the layout (double) or of the window system (int32_t).
template <class T>
struct PointT {
  T x{};
  T y{};

  // Axis 0 is x, any other y.
  T& operator[](int axis) { return axis == 0 ? x : y; }
  const T& operator[](int axis) const { return axis == 0 ? x : y; }

  // Each coordinate rounded half away from zero, saturated to 32 bits.
  PointT<int32_t> RoundToLong() const { return {RoundToInt32(x), RoundToInt32(y)}; }

  // Rounds both coordinates in place to whole numbers, halves away from zero.
  void Round() {
    x = static_cast<T>(RoundHalfAway(x));
    y = static_cast<T>(RoundHalfAway(y));
  }

  PointT& operator+=(const PointT& other) {
    x += other.x;
    y += other.y;
    return *this;
  }
  PointT& operator-=(const PointT& other) {
    x -= other.x;
    y -= other.y;
    return *this;
  }
  friend PointT operator+(PointT a, const PointT& b) { return a += b; }
  friend PointT operator-(PointT a, const PointT& b) { return a -= b; }

  friend bool operator==(const PointT&, const PointT&) = default;
};

}  // namespace HV
