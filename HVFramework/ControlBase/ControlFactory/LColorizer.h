#pragma once

#include "HVFramework/ControlBase/ControlFactory/SkinColor.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

// LColorizer: a named fill colour or gradient of the skin. Read-only after
// loading; shared by every part that names it.
class LColorizer : public virtual LRefCountedObject {
 public:
  static constexpr int32_t kSolidFill = 0;
  static constexpr int32_t kLinearGradient = 1;
  static constexpr int32_t kRadialGradient = 2;

  static RCPtr<LColorizer> Create(const StringW& name, int32_t type, const SkinColor& color,
                                  const SkinColor& endColor = {}, float startX = 0, float startY = 0,
                                  float endX = 0, float endY = 0) {
    return RCPtr<LColorizer>(new LColorizer(name, type, color, endColor, startX, startY, endX, endY));
  }

  const StringW name;
  const int32_t type;
  const SkinColor color;     // the fill, or the gradient's start
  const SkinColor endColor;  // transparent black when not given
  const float startX, startY, endX, endY;

 protected:
  LColorizer(const StringW& name_, int32_t type_, const SkinColor& color_, const SkinColor& endColor_,
             float startX_, float startY_, float endX_, float endY_)
      : name(name_),
        type(type_),
        color(color_),
        endColor(endColor_),
        startX(startX_),
        startY(startY_),
        endX(endX_),
        endY(endY_) {}
};

}  // namespace HV
