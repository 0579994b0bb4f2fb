#pragma once

#include "HVFramework/Utilities/Graphics/Color.h"

#include <cstdint>

namespace HV {

// LColorizer: how a skin part is coloured: a solid fill with one colour, or a
// linear or radial gradient from a start to an end colour (the "Color" and
// "GradientEndColor" attributes of a skin's "Colorizer" element).
struct LColorizer {
  enum ColorType : int32_t { SolidFill = 0, LinearGradient = 1, RadialGradient = 2 };

  int32_t colorType = SolidFill;
  Color color;             // the start colour
  Color gradientEndColor;  // the end colour of a gradient

  // A gradient type with two different colours; anything else fills solid
  // with the start colour.
  bool IsGradient() const { return colorType != SolidFill && !(gradientEndColor == color); }
};

}  // namespace HV
