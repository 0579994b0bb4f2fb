#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Geometry/RectT.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

class LFont;

// LMeasurementRenderer: what text layout needs of a renderer: a font's line
// metrics and the bounding box of a text. User-interface thread only.
class LMeasurementRenderer : public virtual LRefCountedObject {
 public:
  // Height, ascent and descent of the font in pixels.
  virtual HResult GetFontMetrics(const RCPtr<LFont>& font, int32_t& height, int32_t& ascent,
                                 int32_t& descent) = 0;
  // The text's bounding box relative to the pen origin on the baseline.
  virtual RectT<float> MeasureText(const StringW& text, const RCPtr<LFont>& font) = 0;
  // The room MeasureText adds to the width of every text that is not empty
  // beyond where its glyphs go: what a caret or a highlight placed between
  // characters takes off again.
  virtual float GetMeasuredTextMargin() const { return 0; }
};

}  // namespace HV
