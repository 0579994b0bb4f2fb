#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/ObjectBase/WeakRCPtr.h"
#include "HVFramework/Utilities/Graphics/LColorizer.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

// A rectangle of an image file or resource; an empty path means no image.
struct SkinImageReference {
  StringW path;
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;

  bool IsEmpty() const { return path.IsEmpty(); }
};

// LVisualPartDescriptor: one named drawable piece of a look: an image part
// (a rectangle cut from a PNG) or a colorizer part. Read-only after loading.
class LVisualPartDescriptor : public virtual LRefCountedObject {
 public:
  static constexpr int32_t kStretch = 0;
  static constexpr int32_t kTile = 1;
  static constexpr int32_t kCenter = 2;

  // Null when the image path is empty; the size is the image rectangle's.
  static RCPtr<LVisualPartDescriptor> CreateImagePart(const StringW& name, const SkinImageReference& image,
                                                      int32_t resizeType, const RCPtr<LColorizer>& colorizer,
                                                      float alphaModifier, const SkinImageReference& mask) {
    if (image.IsEmpty()) return nullptr;
    return RCPtr<LVisualPartDescriptor>(new LVisualPartDescriptor(
        name, image, resizeType, colorizer, image.width, image.height, alphaModifier, mask));
  }
  // Null when there is no colorizer.
  static RCPtr<LVisualPartDescriptor> CreateColorizerPart(const StringW& name, int32_t resizeType,
                                                          const RCPtr<LColorizer>& colorizer, int32_t width,
                                                          int32_t height, float alphaModifier,
                                                          const SkinImageReference& mask) {
    if (!colorizer) return nullptr;
    return RCPtr<LVisualPartDescriptor>(
        new LVisualPartDescriptor(name, {}, resizeType, colorizer, width, height, alphaModifier, mask));
  }

  const StringW name;
  const SkinImageReference image;
  const int32_t resizeType;
  const RCPtr<LColorizer> colorizer;  // null when none
  const int32_t width;
  const int32_t height;
  const float alphaModifier;
  const SkinImageReference mask;

  // The live part made from this descriptor (an LVisualPart, which belongs to
  // a library above this one), cached without a reference: the part holds the
  // descriptor, so both can go. Null once the part is gone or going.
  RCPtr<LRefCountedObject> GetCachedVisualPart() const { return mCachedVisualPart.Lock(); }
  // The same on the user-interface thread, which owns the parts' references
  // (nothing else can drop the last one meanwhile): no count taken, no lock.
  LRefCountedObject* GetCachedVisualPartOnUIThread() const { return mCachedVisualPart.Get(); }
  void SetCachedVisualPart(LRefCountedObject* part) const { mCachedVisualPart = part; }

 protected:
  LVisualPartDescriptor(const StringW& name_, const SkinImageReference& image_, int32_t resizeType_,
                        const RCPtr<LColorizer>& colorizer_, int32_t width_, int32_t height_,
                        float alphaModifier_, const SkinImageReference& mask_)
      : name(name_),
        image(image_),
        resizeType(resizeType_),
        colorizer(colorizer_),
        width(width_),
        height(height_),
        alphaModifier(alphaModifier_),
        mask(mask_) {}

 private:
  mutable WeakRCPtr<LRefCountedObject> mCachedVisualPart;
};

}  // namespace HV
