#include "HVFramework/Utilities/Graphics/BitmapImage.h"

#include <cstring>

namespace HV {

BitmapImage::BitmapImage(int32_t width, int32_t height, std::vector<uint8_t> pixels) {
  if (width > 0 && height > 0 && pixels.size() == static_cast<size_t>(width) * height * 4) {
    mWidth = width;
    mHeight = height;
    mPixels = std::move(pixels);
  }
}

bool BitmapImage::Contains(const RectT<int32_t>& rect) const {
  // In 64 bits, so a rectangle near the integer limits cannot wrap inside.
  return rect.x >= 0 && rect.y >= 0 && rect.width > 0 && rect.height > 0 &&
         int64_t{rect.x} + rect.width <= mWidth && int64_t{rect.y} + rect.height <= mHeight;
}

bool BitmapImage::GetPixel(int32_t x, int32_t y, uint32_t& argb) const {
  if (!Contains({x, y, 1, 1})) {
    mLastStatus = InvalidParameter;
    return false;
  }
  const uint8_t* p = mPixels.data() + static_cast<size_t>(y) * GetStride() + static_cast<size_t>(x) * 4;
  argb = uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
  return true;
}

bool BitmapImage::LockBits(const RectT<int32_t>& rect, LockRecord& out) {
  if (mLocked) {
    mLastStatus = ObjectBusy;
    return false;
  }
  if (!Contains(rect)) {
    mLastStatus = InvalidParameter;
    return false;
  }
  out.width = rect.width;
  out.height = rect.height;
  out.stride = GetStride();
  out.pixelFormat = kPixelFormat32bppARGB;
  out.scan0 = mPixels.data() + static_cast<size_t>(rect.y) * GetStride() + static_cast<size_t>(rect.x) * 4;
  mLocked = true;
  return true;
}

void BitmapImage::UnlockBits() { mLocked = false; }

std::unique_ptr<BitmapImage> BitmapImage::Clone(const RectT<int32_t>& rect) const {
  if (!Contains(rect)) {
    mLastStatus = InvalidParameter;
    return nullptr;
  }
  std::vector<uint8_t> pixels(static_cast<size_t>(rect.width) * rect.height * 4);
  const size_t rowBytes = static_cast<size_t>(rect.width) * 4;
  for (int32_t row = 0; row < rect.height; ++row)
    std::memcpy(
        pixels.data() + row * rowBytes,
        mPixels.data() + static_cast<size_t>(rect.y + row) * GetStride() + static_cast<size_t>(rect.x) * 4,
        rowBytes);
  return std::make_unique<BitmapImage>(rect.width, rect.height, std::move(pixels));
}

}  // namespace HV
