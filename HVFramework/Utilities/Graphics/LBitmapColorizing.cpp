// Colourising of LBitmap: solid fills of images and colorizer-made bitmaps.
#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Utilities/Graphics/ColorizeTable.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"
#include "HVFramework/Utilities/Graphics/LBitmapData.h"
#include "HVFramework/Utilities/Graphics/LColorizer.h"

#include <vector>

namespace HV {

void LBitmap::ApplyColorizer(const RCPtr<LBitmap>& bitmap, const LColorizer* colorizer, float alphaModifier) {
  if (!bitmap || !colorizer) Throw<std::runtime_error>(HV_HERE("HV::LBitmap::ApplyColorizer"));

  if (colorizer->IsGradient()) {
    // Would be drawn over the image; gradient bitmaps are not provided, so this throws.
    CreateColorizedBitmap(*colorizer, alphaModifier, bitmap->GetWidth(), bitmap->GetHeight());
  }

  BitmapImage* image = bitmap->GetGdiplusBitmap();
  BitmapImage::LockRecord record;
  if (!image || !image->LockBits(bitmap->GetRect(), record))
    Throw<std::runtime_error>(HV_HERE("HV::LBitmap::ApplyColorizer"));

  const ColorizeTable table(colorizer->color, alphaModifier);
  for (int32_t row = 0; row < record.height; ++row)
    table.ApplyToRow(record.scan0 + static_cast<ptrdiff_t>(row) * record.stride, record.width);
  image->UnlockBits();
}

RCPtr<LBitmap> LBitmap::CreateColorizedBitmap(const LColorizer& colorizer, float alphaModifier, int32_t width,
                                              int32_t height) {
  if (width <= 0 || height <= 0) Throw<std::runtime_error>(HV_HERE("HV::LBitmap::CreateColorizedBitmap"));
  if (colorizer.IsGradient()) {
    const Color colors[2] = {colorizer.color, colorizer.gradientEndColor};
    CreateGradientFilledBitmap(width, height, colors, colorizer.colorType == LColorizer::RadialGradient);
  }
  Color fill = colorizer.color;
  fill.a *= alphaModifier;
  return CreateFilledBitmap(width, height, fill);
}

RCPtr<LBitmap> LBitmap::CreateFilledBitmap(int32_t width, int32_t height, const Color& color) {
  if (width <= 0 || height <= 0) Throw<std::runtime_error>(HV_HERE("HV::LBitmap::CreateFilledBitmap"));
  const uint32_t argb = color.ToARGB();
  const uint8_t pixel[4] = {static_cast<uint8_t>(argb), static_cast<uint8_t>(argb >> 8),
                            static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 24)};
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
  for (size_t i = 0; i < pixels.size(); i += 4)
    for (int c = 0; c < 4; ++c) pixels[i + c] = pixel[c];
  return RCPtr<LBitmap>(new LBitmap(std::make_unique<BitmapImage>(width, height, std::move(pixels))));
}

RCPtr<LBitmap> LBitmap::CreateGradientFilledBitmap(int32_t, int32_t, const Color[2], bool) {
  Throw<std::domain_error>(HV_HERE("HV::LBitmap::CreateGradientFilledBitmap"));
}

RCPtr<LBitmap> LBitmap::CreateColorizedPartBitmap(const LColorizer* colorizer, float alphaModifier,
                                                  int32_t width, int32_t height, const RCPtr<LBitmap>& image,
                                                  const RCPtr<LBitmap>& mask) {
  if (image && mask) Throw<std::domain_error>(HV_HERE("HV::LBitmap::ApplyColorizer"));
  if (!image && !mask) {
    if (!colorizer) Throw<std::runtime_error>(HV_HERE("HV::LBitmap::ApplyColorizer"));
    return CreateColorizedBitmap(*colorizer, alphaModifier, width, height);
  }
  RCPtr<LBitmap> copy = (image ? image : mask)->CreateIndependentCopy();
  ApplyColorizer(copy, colorizer, alphaModifier);
  return copy;
}

}  // namespace HV
