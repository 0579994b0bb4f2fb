#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Graphics/BitmapImage.h"
#include "HVFramework/Utilities/Graphics/Color.h"
#include "HVFramework/Utilities/Geometry/RectT.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <memory>

namespace HV {

class LBitmapData;
struct LColorizer;

// LBitmap: the framework's image. A root bitmap owns the pixels decoded from
// a PNG (a "GDIPLUS" resource named "::NAME", or a file path) or made in
// memory; a sub-bitmap shows a rectangle of a root bitmap (never of another
// sub-bitmap), with its position counted in the root image.
//
// GetCachedBitmap shares one bitmap per name through a process-wide cache
// whose reference counts as an internal one: a bitmap only the cache still
// holds leaves the cache and dies. Bitmaps, the cache and colourising belong
// to the user-interface thread; nothing here locks.
class LBitmap : public virtual LRefCountedObject {
 public:
  // Loads the image of name (taking the decode of a BitmapPrefetch waiting
  // under cacheKey); a failed load leaves the bitmap without one.
  LBitmap(const StringW& name, const StringW& cacheKey);
  ~LBitmap() override;

  // The shared bitmap of an image name, or null when it cannot be loaded
  // (nothing is cached then). "::" names are resources and case-insensitive;
  // file paths keep their case and are keyed by their canonical form.
  static RCPtr<LBitmap> GetCachedBitmap(const StringW& name);
  // The key the cache keeps the image of name under, and whether it is there.
  static StringW CacheKeyOf(const StringW& name);
  static bool IsCached(const StringW& cacheKey);

  // A bitmap of the rectangle (x, y, width, height) of this one, rounded to
  // whole pixels; a width or height of 0 or less means all of this bitmap.
  RCPtr<LBitmap> CreateSubBitmap(double x, double y, double width, double height);
  // A new root bitmap holding a copy of this bitmap's pixels; null when this
  // bitmap has no image or its rectangle reaches outside it.
  RCPtr<LBitmap> CreateIndependentCopy() const;

  // The colour of pixel (x, y) of this bitmap, counted from its own corner;
  // all channels 0 outside the root image.
  Color GetPixel(int32_t x, int32_t y) const;

  // The pixels of this bitmap's rectangle, locked while the result lives;
  // null when there is no image, the rectangle reaches outside it or another
  // lock is held.
  RCPtr<LBitmapData> CreateBitmapData();

  // Colourises bitmap's pixels in place (see LBitmapColorizing.cpp).
  static void ApplyColorizer(const RCPtr<LBitmap>& bitmap, const LColorizer* colorizer, float alphaModifier);
  static RCPtr<LBitmap> CreateColorizedBitmap(const LColorizer& colorizer, float alphaModifier, int32_t width,
                                              int32_t height);
  static RCPtr<LBitmap> CreateFilledBitmap(int32_t width, int32_t height, const Color& color);
  // Gradient images are not provided: always throws a Domain Error.
  [[noreturn]] static RCPtr<LBitmap> CreateGradientFilledBitmap(int32_t width, int32_t height,
                                                                const Color colors[2], bool isRadial);
  // The bitmap of a colourised skin part: a colourised copy of the image (or
  // of the mask), or a colourised fill of size when there is neither.
  static RCPtr<LBitmap> CreateColorizedPartBitmap(const LColorizer* colorizer, float alphaModifier,
                                                  int32_t width, int32_t height, const RCPtr<LBitmap>& image,
                                                  const RCPtr<LBitmap>& mask);

  HResult ReleaseInternalReferences() override;

  // The pixels this bitmap shows: its own, or its root bitmap's.
  BitmapImage* GetGdiplusBitmap() const;
  bool HasImage() const { return GetGdiplusBitmap() != nullptr; }

  const RectT<int32_t>& GetRect() const { return mRect; }
  int32_t GetX() const { return mRect.x; }
  int32_t GetY() const { return mRect.y; }
  int32_t GetWidth() const { return mRect.width; }
  int32_t GetHeight() const { return mRect.height; }
  const RCPtr<LBitmap>& GetParent() const { return mParent; }
  const StringW& GetName() const { return mName; }
  const StringW& GetCacheKey() const { return mCacheKey; }

 private:
  // A root bitmap over an image made in memory.
  explicit LBitmap(std::unique_ptr<BitmapImage> image);
  // A sub-bitmap of root.
  LBitmap(const RCPtr<LBitmap>& root, const RectT<int32_t>& rect);

  void Load();

  RectT<int32_t> mRect;
  RCPtr<LBitmap> mParent;
  StringW mName;
  StringW mCacheKey;
  std::unique_ptr<BitmapImage> mImage;
};

}  // namespace HV
