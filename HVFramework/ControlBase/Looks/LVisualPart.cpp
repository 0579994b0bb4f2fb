#include "HVFramework/ControlBase/Looks/LVisualPart.h"

#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/ObjectBase/UIThread.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace HV {
namespace {

// Sizes this close count as the part's natural size.
constexpr float kSizeTolerance = 1.19e-6f;

// The source of the messages thrown here: the part's colour and drawing
// errors keep the wording skins and logs already know.
[[noreturn]] void ThrowPartError(const char* function, int line) {
  Throw<std::runtime_error>(SourceLocation{function, "ControlBase\\VisualPart", line});
}

// The rectangle of an image file or resource, shared through the bitmap cache.
RCPtr<LBitmap> LoadImageRect(const SkinImageReference& reference) {
  if (reference.IsEmpty()) return nullptr;
  const RCPtr<LBitmap> image = LBitmap::GetCachedBitmap(reference.path);
  if (!image) return nullptr;
  return image->CreateSubBitmap(reference.x, reference.y, reference.width, reference.height);
}

bool NeedsPrerendering(const RCPtr<LBitmap>& bitmap, const RCPtr<LColorizer>& colorizer,
                       const RCPtr<LBitmap>& mask) {
  return colorizer && (bitmap || mask || colorizer->colorType != LColorizer::SolidFill);
}

}  // namespace

RCPtr<LVisualPart> LVisualPart::Create(const StringW& name, const RCPtr<LBitmap>& bitmap, int32_t resizeType,
                                       const RCPtr<LColorizer>& colorizer, int32_t width, int32_t height,
                                       float alphaModifier, const RCPtr<LBitmap>& mask) {
  return RCPtr<LVisualPart>(
      new LVisualPart(name, bitmap, resizeType, colorizer, width, height, alphaModifier, mask));
}

LVisualPart::LVisualPart(const StringW& name, const RCPtr<LBitmap>& bitmap, int32_t resizeType,
                         const RCPtr<LColorizer>& colorizer, int32_t width, int32_t height,
                         float alphaModifier, const RCPtr<LBitmap>& mask)
    : mName(name),
      mBitmap(bitmap),
      mWidth(bitmap ? bitmap->GetWidth() : width),
      mHeight(bitmap ? bitmap->GetHeight() : height),
      mResizeType(resizeType),
      mColorizer(colorizer),
      mAlphaModifier(alphaModifier),
      mMask(mask) {
  // Colourising once here keeps every later draw a plain bitmap draw.
  if (NeedsPrerendering(mBitmap, mColorizer, mMask))
    mBitmap =
        LBitmap::CreateColorizedPartBitmap(mColorizer.Get(), mAlphaModifier, mWidth, mHeight, mBitmap, mMask);
}

Color LVisualPart::GetFillColor() const {
  Color color = mColorizer ? mColorizer->color : Color{};
  color.a *= mAlphaModifier;
  return color;
}

HResult LVisualPart::Draw(LRenderer& renderer, int32_t width, int32_t height) const {
  if (mBitmap) {
    renderer.DrawBitmap(mBitmap, {0, 0, width, height}, static_cast<ResizeType>(mResizeType));
    return S_OK;
  }
  if (!mColorizer) ThrowPartError("HV::LVisualPart::Draw", 218);
  const Color color = GetFillColor();
  if (!(color.a > 0)) return S_OK;
  RectT<int32_t> fill{0, 0, width, height};
  if (mResizeType == static_cast<int32_t>(ResizeType::Center))
    fill = {(width - mWidth) / 2, (height - mHeight) / 2, mWidth, mHeight};
  renderer.FillRect(fill, color, true);
  return S_OK;
}

uint32_t LVisualPart::GetColorAtPoint(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= mWidth || y >= mHeight) return kOutsideMarker;
  if (mBitmap) return mBitmap->GetPixel(x, y).ToARGB();
  if (!mColorizer) ThrowPartError("HV::LVisualPart::GetColorAtPoint", 91);
  if (mColorizer->colorType == LColorizer::LinearGradient)
    ThrowPartError("HV::LVisualPart::GetColorAtPoint", 76);
  if (mColorizer->colorType == LColorizer::RadialGradient)
    ThrowPartError("HV::LVisualPart::GetColorAtPoint", 81);
  return GetFillColor().ToARGB();
}

uint32_t LVisualPart::GetColorAtPoint(const PointT<float>& point, float width, float height) const {
  const float x = point.x;
  const float y = point.y;
  if (std::fabs(width - static_cast<float>(mWidth)) <= kSizeTolerance &&
      std::fabs(height - static_cast<float>(mHeight)) <= kSizeTolerance)
    return GetColorAtPoint(RoundToInt32(x), RoundToInt32(y));
  if (!(x >= 0 && y >= 0 && x < width && y < height)) return kTransparent;
  // A part without pixels shows nothing, whatever its resize type.
  if (mWidth <= 0 || mHeight <= 0) return kTransparent;
  switch (mResizeType) {
    case static_cast<int32_t>(ResizeType::Tile):
      return GetColorAtPoint(RoundToInt32(x) % mWidth, RoundToInt32(y) % mHeight);
    case static_cast<int32_t>(ResizeType::Center):
      return GetColorAtPoint(RoundToInt32(x - (width - static_cast<float>(mWidth)) / 2),
                             RoundToInt32(y - (height - static_cast<float>(mHeight)) / 2));
    case static_cast<int32_t>(ResizeType::Stretch):
      return GetStretchedColor(x, y, width, height);
    default:
      ThrowPartError("HV::LVisualPart::GetColorAtPoint", 165);
  }
}

// A part drawn smaller than its natural size shows several source pixels in
// one drawn pixel: the point is opaque when any of them is.
uint32_t LVisualPart::GetStretchedColor(float x, float y, float width, float height) const {
  const float u = static_cast<float>(mWidth) / width;
  const float v = static_cast<float>(mHeight) / height;
  if (u <= 1 && v <= 1) return GetColorAtPoint(static_cast<int32_t>(u * x), static_cast<int32_t>(v * y));
  const int32_t left = static_cast<int32_t>(std::floor(u * x));
  const int32_t top = static_cast<int32_t>(std::floor(v * y));
  const int32_t right = static_cast<int32_t>(std::floor(u * x + std::max(u, 1.0f)));
  const int32_t bottom = static_cast<int32_t>(std::floor(v * y + std::max(v, 1.0f)));
  uint32_t color = kTransparent;
  for (int32_t row = top; row < bottom; ++row) {
    for (int32_t column = left; column < right; ++column) {
      color = GetColorAtPoint(column, row);
      if (color > kTransparent) return color;
    }
  }
  return color;
}

RCPtr<LVisualPart> GetVisualPart(const RCPtr<LVisualPartDescriptor>& descriptor) {
  HV_ASSERT_UI_THREAD();
  if (!descriptor) return nullptr;
  if (LRefCountedObject* cached = descriptor->GetCachedVisualPartOnUIThread())
    return RCPtr<LVisualPart>(dynamic_cast<LVisualPart*>(cached));
  const LVisualPartDescriptor& d = *descriptor;
  const RCPtr<LBitmap> mask = LoadImageRect(d.mask);
  const RCPtr<LBitmap> image = LoadImageRect(d.image);
  // An image that cannot be loaded leaves the colorizer, if any, to draw the
  // part; with neither there is nothing to draw and no part is made.
  if (!image && !d.colorizer) return nullptr;
  RCPtr<LVisualPart> part =
      LVisualPart::Create(d.name, image, d.resizeType, d.colorizer, d.width, d.height, d.alphaModifier, mask);
  part->mDescriptor = descriptor;
  descriptor->SetCachedVisualPart(part.Get());
  return part;
}

RCPtr<LVisualPart> GetVisualPart(const RCPtr<LDockedPart>& docked) {
  return docked ? GetVisualPart(docked->part) : nullptr;
}

}  // namespace HV
