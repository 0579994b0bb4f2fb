#include "HVFramework/Renderer/Gdi/BitmapTiling.h"

namespace HV {

void TileBitmap(Platform::Graphics2D& g, const Platform::Surface2D& source, int32_t width, int32_t height,
                TileMethod method) {
  const int32_t sw = source.GetWidth();
  const int32_t sh = source.GetHeight();
  if (sw <= 0 || sh <= 0 || width <= 0 || height <= 0) return;
  if (method == TileMethod::Automatic)
    method = (width < 3 * sw && height < 3 * sh) ? TileMethod::Copies : TileMethod::TextureBrush;
  const RectT<int32_t> whole{0, 0, sw, sh};
  if (method == TileMethod::TextureBrush) {
    g.FillWithTexture(source, whole, {0, 0, double(width), double(height)});
    return;
  }
  // Positions stay inside +-8388608, as the destination does.
  for (int64_t y = 0; y < height && y <= 8388608; y += sh)
    for (int64_t x = 0; x < width && x <= 8388608; x += sw)
      g.DrawImageAt(source, whole, {double(x), double(y)});
}

}  // namespace HV
