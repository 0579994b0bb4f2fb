#include "HVFramework/Platform/2D/Surface2D.h"

#include "HVFramework/Platform/2D/CairoNative.h"

#include <algorithm>
#include <cstring>

namespace HV::Platform {

Surface2D::Surface2D(std::unique_ptr<NativeSurface> native, int32_t width, int32_t height)
    : mNative(std::move(native)), mWidth(width), mHeight(height) {}

Surface2D::~Surface2D() = default;

RCPtr<Surface2D> Surface2D::Create(int32_t width, int32_t height) {
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) return nullptr;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return nullptr;
  }
  return RCPtr<Surface2D>(new Surface2D(std::make_unique<NativeSurface>(s), width, height));
}

RCPtr<Surface2D> Surface2D::CreateFromStraight(const uint8_t* bgra, int32_t width, int32_t height,
                                               int32_t stride) {
  RCPtr<Surface2D> result = Create(width, height);
  if (!result || !bgra || stride < width * 4) return nullptr;
  uint8_t* out = result->LockBits();
  const int32_t outStride = result->GetStride();
  for (int32_t y = 0; y < height; ++y) {
    const uint8_t* s = bgra + static_cast<size_t>(y) * stride;
    uint8_t* d = out + static_cast<size_t>(y) * outStride;
    for (int32_t x = 0; x < width; ++x, s += 4, d += 4) {
      const uint32_t a = s[3];
      // premultiplied with rounding: c * a / 255
      for (int i = 0; i < 3; ++i) {
        const uint32_t t = s[i] * a + 128;
        d[i] = static_cast<uint8_t>((t + (t >> 8)) >> 8);
      }
      d[3] = static_cast<uint8_t>(a);
    }
  }
  result->MarkChanged();
  return result;
}

int32_t Surface2D::GetStride() const { return cairo_image_surface_get_stride(mNative->surface); }

uint8_t* Surface2D::LockBits() {
  cairo_surface_flush(mNative->surface);
  return cairo_image_surface_get_data(mNative->surface);
}

void Surface2D::MarkChanged() { cairo_surface_mark_dirty(mNative->surface); }

const uint8_t* Surface2D::GetPixels() const {
  cairo_surface_flush(mNative->surface);
  return cairo_image_surface_get_data(mNative->surface);
}

uint32_t Surface2D::GetPixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= mWidth || y >= mHeight) return 0;
  uint32_t value;
  std::memcpy(&value, GetPixels() + static_cast<size_t>(y) * GetStride() + static_cast<size_t>(x) * 4, 4);
  return value;
}

uint32_t Surface2D::GetStraightPixel(int32_t x, int32_t y) const {
  const uint32_t p = GetPixel(x, y);
  const uint32_t a = p >> 24;
  if (a == 0) return 0;
  uint32_t result = a << 24;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t c = (p >> shift) & 0xFF;
    result |= std::min<uint32_t>(255, (c * 255 + a / 2) / a) << shift;
  }
  return result;
}

}  // namespace HV::Platform
