#include "HVFramework/Utilities/Graphics/ColorizeTable.h"

namespace HV {

ColorizeTable::ColorizeTable(const Color& color, float alphaModifier) {
  const float a = color.a * alphaModifier;
  const float keep = 1.0f - a;
  for (int byte = 0; byte < 256; ++byte) {
    mRed[byte] = ColorizeChannel(static_cast<uint8_t>(byte), color.r * a, keep);
    mGreen[byte] = ColorizeChannel(static_cast<uint8_t>(byte), color.g * a, keep);
    mBlue[byte] = ColorizeChannel(static_cast<uint8_t>(byte), color.b * a, keep);
  }
}

uint8_t ColorizeTable::ColorizeChannel(uint8_t byte, float fill, float keep) {
  const float value = (static_cast<float>(byte) / 255.0f * keep + fill) * 255.0f + 0.5f;
  if (!(value > 0.0f)) return 0;  // also not-a-number
  if (value >= 255.0f) return 255;
  return static_cast<uint8_t>(value);
}

void ColorizeTable::ApplyToRow(uint8_t* pixels, int32_t width) const {
  for (int32_t i = 0; i < width; ++i, pixels += 4) {
    pixels[0] = mBlue[pixels[0]];
    pixels[1] = mGreen[pixels[1]];
    pixels[2] = mRed[pixels[2]];
  }
}

}  // namespace HV
