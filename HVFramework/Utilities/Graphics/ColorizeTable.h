#pragma once

#include "HVFramework/Utilities/Graphics/Color.h"

#include <cstdint>

namespace HV {

// ColorizeTable: the solid-fill colourising of one colour and alpha modifier
// as three byte tables. With a = alpha * modifier, a channel byte b becomes
// truncate(((b / 255) * (1 - a) + channel * a) * 255 + 0.5), clamped to
// 0..255 (a modifier above 1 or channels outside 0..1 would otherwise wrap
// the byte); the alpha byte stays. The result depends on the byte alone, so
// it is worked out once per value instead of once per pixel.
class ColorizeTable {
 public:
  ColorizeTable(const Color& color, float alphaModifier);

  // One channel byte through the formula (what the tables hold).
  static uint8_t ColorizeChannel(uint8_t byte, float fill, float keep);

  // width pixels (bytes blue, green, red, alpha) in place.
  void ApplyToRow(uint8_t* pixels, int32_t width) const;

 private:
  uint8_t mBlue[256];
  uint8_t mGreen[256];
  uint8_t mRed[256];
};

}  // namespace HV
