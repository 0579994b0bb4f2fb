#pragma once

#include "HVFramework/Utilities/Geometry/RectT.h"

#include <cstdint>

namespace HV {

// The edges of a region rectangle (left, top, right, bottom): the half-open
// ranges left <= x < right and top <= y < bottom.
struct RegionRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  bool IsEmpty() const { return left >= right || top >= bottom; }
  // Touching edges do not overlap.
  bool Overlaps(const RegionRect& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  static RegionRect FromRect(const RectT<int32_t>& r) {
    return {r.x, r.y, static_cast<int32_t>(int64_t{r.x} + r.width),
            static_cast<int32_t>(int64_t{r.y} + r.height)};
  }
  friend bool operator==(const RegionRect&, const RegionRect&) = default;
};

}  // namespace HV
