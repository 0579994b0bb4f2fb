#pragma once

#include "HVFramework/Utilities/Geometry/RectT.h"

#include <algorithm>
#include <cstdint>

namespace HV::Platform {

// r cut to [0, width) x [0, height); false when nothing is left.
inline bool ClipToSize(RectT<int32_t>& r, int32_t width, int32_t height) {
  const int64_t left = std::max<int64_t>(r.x, 0);
  const int64_t top = std::max<int64_t>(r.y, 0);
  const int64_t right = std::min<int64_t>(int64_t(r.x) + r.width, width);
  const int64_t bottom = std::min<int64_t>(int64_t(r.y) + r.height, height);
  if (left >= right || top >= bottom) return false;
  r = {int32_t(left), int32_t(top), int32_t(right - left), int32_t(bottom - top)};
  return true;
}

}  // namespace HV::Platform
