#pragma once

#include "HVFramework/ControlBase/Skin/ControlFactory/LDockedPart.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LVisualPartDescriptor.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Renderer/LRenderer.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"
#include "HVFramework/Utilities/Graphics/LColorizer.h"
#include "HVFramework/Utilities/Geometry/PointT.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

// LVisualPart: the live, drawable form of one skin part: a bitmap drawn
// stretched, tiled or centred into the rectangle its look gives it, or a flat
// colour fill. Colourising, masks and gradients are paid once, when the part
// is made; drawing is one bitmap draw or one fill. A part is made once per
// descriptor (GetVisualPart) and shared by every look using it; it never
// changes afterwards. User-interface thread only.
class LVisualPart : public virtual LRefCountedObject {
 public:
  // Packed 0xAARRGGBB colours at or below this one have alpha 0: transparent.
  static constexpr uint32_t kTransparent = 0x00FFFFFF;
  // What a part answers outside its own pixels: opaque enough to end a
  // front-to-back search, so a point off a part never falls through it.
  static constexpr uint32_t kOutsideMarker = 0x01000000;

  // A part with a bitmap takes the bitmap's size. A colorizer together with a
  // bitmap, a mask or a gradient is rendered into a new bitmap here, once.
  static RCPtr<LVisualPart> Create(const StringW& name, const RCPtr<LBitmap>& bitmap, int32_t resizeType,
                                   const RCPtr<LColorizer>& colorizer, int32_t width, int32_t height,
                                   float alphaModifier, const RCPtr<LBitmap>& mask);

  // Draws into (0, 0, width, height) of the renderer's current coordinates.
  // Throws a Runtime Error for a part with neither bitmap nor colorizer.
  virtual HResult Draw(LRenderer& renderer, int32_t width, int32_t height) const;

  // The colour of the part's own pixel (x, y); kOutsideMarker off its pixels.
  uint32_t GetColorAtPoint(int32_t x, int32_t y) const;
  // The colour Draw shows at point when the part is drawn at (width, height);
  // transparent outside that size.
  uint32_t GetColorAtPoint(const PointT<float>& point, float width, float height) const;

  const StringW& GetName() const { return mName; }
  const RCPtr<LBitmap>& GetBitmap() const { return mBitmap; }
  const RCPtr<LColorizer>& GetColorizer() const { return mColorizer; }
  int32_t GetResizeType() const { return mResizeType; }
  int32_t GetWidth() const { return mWidth; }
  int32_t GetHeight() const { return mHeight; }
  float GetAlphaModifier() const { return mAlphaModifier; }
  // The colorizer's colour with its alpha times the alpha modifier.
  Color GetFillColor() const;

 protected:
  LVisualPart(const StringW& name, const RCPtr<LBitmap>& bitmap, int32_t resizeType,
              const RCPtr<LColorizer>& colorizer, int32_t width, int32_t height, float alphaModifier,
              const RCPtr<LBitmap>& mask);

 private:
  friend RCPtr<LVisualPart> GetVisualPart(const RCPtr<LVisualPartDescriptor>& descriptor);

  uint32_t GetStretchedColor(float x, float y, float width, float height) const;

  StringW mName;
  RCPtr<LBitmap> mBitmap;  // null for a plain colour part
  int32_t mWidth = 0;
  int32_t mHeight = 0;
  int32_t mResizeType = 0;
  RCPtr<LColorizer> mColorizer;
  float mAlphaModifier = 1.0f;
  RCPtr<LBitmap> mMask;
  RCPtr<LVisualPartDescriptor>
      mDescriptor;  // the descriptor caching this part; null for a part made directly
};

// The part of a skin part descriptor, made on first use and shared while
// anything holds it; null without a descriptor, or when the descriptor has
// neither an image nor a colorizer.
RCPtr<LVisualPart> GetVisualPart(const RCPtr<LVisualPartDescriptor>& descriptor);
// The part of a docked part's descriptor; null for a null docked part.
RCPtr<LVisualPart> GetVisualPart(const RCPtr<LDockedPart>& docked);

}  // namespace HV
