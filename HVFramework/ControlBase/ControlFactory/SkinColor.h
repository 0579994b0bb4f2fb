#pragma once

#include <cstdint>

namespace HV {

// SkinColor: a colour as a skin writes it, four components 0..1. A new colour
// is transparent black. (The renderer's colour type takes its place where the
// two meet.)
struct SkinColor {
  float red = 0;
  float green = 0;
  float blue = 0;
  float alpha = 0;

  // Packed 0xAARRGGBB, each component * 255 rounded and clamped.
  uint32_t ToArgb() const;
  static SkinColor FromArgb(uint32_t argb);
  bool operator==(const SkinColor&) const = default;
};

}  // namespace HV
