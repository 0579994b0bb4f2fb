#pragma once

#include "HVFramework/Platform/2D/Font2D.h"
#include "HVFramework/Platform/2D/Path2D.h"
#include "HVFramework/Platform/2D/Surface2D.h"
#include "HVFramework/Renderer/Gdi/BitmapTiling.h"
#include "HVFramework/Renderer/Gdi/LGDIRenderContextInfo.h"
#include "HVFramework/Renderer/LRenderer.h"
#include "HVFramework/Renderer/RendererOperations.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"
#include "HVFramework/Utilities/Storage/GetBits.h"
#include "HVFramework/Utilities/Storage/PurgableObjectCache.h"

#include <cstdint>
#include <string>
#include <unordered_map>

namespace HV {

class LBitmap;

// LGDIRenderer: the renderer of kind 1. It draws each context into an
// offscreen surface of its own (through the platform's 2-D layer) and, at
// the end of a window's frame, hands exactly the rectangles of the window's
// update region to the window's presenter. Scaled and tiled bitmaps are
// prepared once per (bitmap, size, resize type) as cached bitmaps; polylines
// keep their paths until they change; both caches hold 256 entries, and
// cached bitmaps unused for five minutes of frames are released. Text is
// measured and drawn with the same fonts, so measured widths cover the drawn
// text. User-interface thread only.
class LGDIRenderer : public LRenderer {
 public:
  static RCPtr<LGDIRenderer> Create() { return RCPtr<LGDIRenderer>(new LGDIRenderer); }
  // Added to every measured width that is not zero.
  static constexpr int32_t kMeasuredTextMargin = 3;

  int GetRendererType() const override { return GdiPlus; }
  float GetMeasuredTextMargin() const override { return float(kMeasuredTextMargin); }
  // What these add to LRenderer's contracts: MeasureText rounds the width up
  // and adds the margin (y is the ascent, height the line height). FillRect
  // without blending sets the rectangle's pixels of the drawing surface
  // (surface coordinates: no translation, no clip, only inside the surface).
  // DrawBitmap throws a Runtime Error without a started context and an
  // Invalid Argument for an unknown resize type.
  HV_DECLARE_RENDERER_OPERATIONS();

  // How tiled bitmaps are built (Automatic unless a test forces a way).
  void SetTileMethod(TileMethod method) { mTileMethod = method; }
  // Cached bitmaps made so far (cache misses), for tests and benchmarks.
  uint64_t GetCachedBitmapBuilds() const { return mCachedBitmapBuilds; }

  // The cached-bitmap key: the bitmap, the destination size and the resize
  // type (one bitmap tiled and stretched to one size gives two pictures).
  struct CachedBitmapKey {
    RCPtr<LBitmap> bitmap;
    int32_t width = 0;
    int32_t height = 0;
    ResizeType resize = ResizeType::Stretch;
    bool operator==(const CachedBitmapKey& other) const {
      return bitmap.Get() == other.bitmap.Get() && width == other.width && height == other.height &&
             resize == other.resize;
    }
  };

 protected:
  LGDIRenderer();

 private:
  // The prepared picture of a cached-bitmap entry.
  class LCachedBitmap : public virtual LRefCountedObject {
   public:
    explicit LCachedBitmap(const RCPtr<Platform::Surface2D>& picture) : mPicture(picture) {}
    const RCPtr<Platform::Surface2D>& GetPicture() const { return mPicture; }

   private:
    RCPtr<Platform::Surface2D> mPicture;
  };
  // The path of a path-cache entry.
  class LGraphicsPath : public virtual LRefCountedObject {
   public:
    Platform::Path2D path;
  };
  enum class PathKind { LineList, LineStrip, PolygonOutline, FilledPolygon };

  static const CachedBitmapKey& KeyOf(const CachedBitmapKey& key) { return key; }
  static uint32_t BucketOf(const CachedBitmapKey& key);
  static const uint64_t& HandleOf(const uint64_t& handle) { return handle; }

  using BitmapCache =
      PurgableObjectCache<LCachedBitmap, CachedBitmapKey, CachedBitmapKey, &KeyOf, 8, &BucketOf>;
  using PathCache =
      PurgableObjectCache<LGraphicsPath, uint64_t, uint64_t, &HandleOf, 8, &GetBits<8, 4, uint64_t>>;

  Platform::Graphics2D* Graphics() const;
  LGDIRenderContextInfo* CurrentGdiContext() const;
  // The platform font of font at its size (96 dpi), falling back to
  // sans-serif when the family is missing; null when neither loads.
  Platform::Font2D* FontFor(const LFont& font);
  Platform::Font2D* FindFont(const LFont& font);
  RCPtr<Platform::Surface2D> BuildCachedBitmap(const LBitmap& bitmap, int32_t width, int32_t height,
                                               ResizeType resize);
  void DrawShape(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                 const PointT<float>& scale, PathKind kind);
  void PurgeWhenDue();

  float mDpiScale = 1.0f;
  int32_t mScreenDpi = 96;
  BitmapCache mBitmapCache{256};
  PathCache mPathCache{256};
  uint32_t mLastPurge;
  // Platform fonts by description (name in lower case, size, style): a font
  // made again after it left the pool finds its face here, and the map grows
  // only with the fonts that differ.
  std::unordered_map<std::u16string, RCPtr<Platform::Font2D>> mFonts;
  uint32_t mLastFontID = 0;
  Platform::Font2D* mLastFont = nullptr;  // held by mFonts
  TileMethod mTileMethod = TileMethod::Automatic;
  uint64_t mCachedBitmapBuilds = 0;
};

}  // namespace HV
