#pragma once

#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Graphics/Color.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

// LColorizer: how a skin part is coloured: a solid fill with one colour, or a
// linear or radial gradient from a start to an end colour. The skin reader
// makes one per "Colorizer" element ("Name", "ColorType", "Color",
// "GradientEndColor", "GradientStartX" ...) and registers it by name; the
// parts that name it share it through counted pointers and never change it
// after loading. The bitmap code reads the type and the two colours, and
// takes any colorizer, counted or a plain local value.
struct LColorizer : public virtual LRefCountedObject {
  enum ColorType : int32_t { SolidFill = 0, LinearGradient = 1, RadialGradient = 2 };

  LColorizer() = default;

  // A counted colorizer as the skin defines it.
  static RCPtr<LColorizer> Create(const StringW& name, int32_t colorType, const Color& color,
                                  const Color& gradientEndColor = {}, float startX = 0, float startY = 0,
                                  float endX = 0, float endY = 0);

  // A gradient type with two different colours; anything else fills solid
  // with the start colour.
  bool IsGradient() const { return colorType != SolidFill && !(gradientEndColor == color); }

  StringW name;
  int32_t colorType = SolidFill;
  Color color;             // the fill, or the gradient's start
  Color gradientEndColor;  // the end colour of a gradient; transparent black when not given
  // The gradient's start and end points ("GradientStartX" ... "GradientEndY"); 0 when not given.
  float startX = 0;
  float startY = 0;
  float endX = 0;
  float endY = 0;
};

inline RCPtr<LColorizer> LColorizer::Create(const StringW& name, int32_t colorType, const Color& color,
                                            const Color& gradientEndColor, float startX, float startY,
                                            float endX, float endY) {
  RCPtr<LColorizer> colorizer(new LColorizer);
  colorizer->name = name;
  colorizer->colorType = colorType;
  colorizer->color = color;
  colorizer->gradientEndColor = gradientEndColor;
  colorizer->startX = startX;
  colorizer->startY = startY;
  colorizer->endX = endX;
  colorizer->endY = endY;
  return colorizer;
}

}  // namespace HV
