#pragma once

#include "HVFramework/ControlBase/Skin/ControlFactory/LVisualPartDescriptor.h"

#include <cstdint>

namespace HV {

// Which offsets of a docked part are given, and their values.
struct SkinPartPlacement {
  static constexpr int32_t kLeft = 1;
  static constexpr int32_t kTop = 2;
  static constexpr int32_t kRight = 4;
  static constexpr int32_t kBottom = 8;
  static constexpr int32_t kAll = 15;

  int32_t offsetFlags = 0;
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

// LDockedPart: a visual part placed against the edges of a look's
// rectangle. Read-only after loading.
class LDockedPart : public virtual LRefCountedObject {
 public:
  static RCPtr<LDockedPart> Create(const RCPtr<LVisualPartDescriptor>& part,
                                   const SkinPartPlacement& placement, bool hasWidth = false,
                                   int32_t width = 0, bool hasHeight = false, int32_t height = 0) {
    return RCPtr<LDockedPart>(new LDockedPart(part, placement, hasWidth, width, hasHeight, height));
  }

  const RCPtr<LVisualPartDescriptor> part;
  const SkinPartPlacement placement;
  const bool hasWidth;
  const int32_t width;
  const bool hasHeight;
  const int32_t height;

 protected:
  LDockedPart(const RCPtr<LVisualPartDescriptor>& part_, const SkinPartPlacement& placement_, bool hasWidth_,
              int32_t width_, bool hasHeight_, int32_t height_)
      : part(part_),
        placement(placement_),
        hasWidth(hasWidth_),
        width(width_),
        hasHeight(hasHeight_),
        height(height_) {}
};

}  // namespace HV
