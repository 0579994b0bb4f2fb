#pragma once

#include "HVFramework/Utilities/Geometry/PointT.h"
#include "HVFramework/Utilities/Geometry/RectT.h"

#include <cstdint>

namespace HV {

// ILayoutTextMeasurer: the text part of a control's current look, as the
// layout solver sees it when a control grows to fit its text. Sizes are in
// pixels; user-interface thread only.
class ILayoutTextMeasurer {
 public:
  virtual ~ILayoutTextMeasurer() = default;
  virtual void SetWrap(bool shouldWrap) = 0;
  // The look's text rectangle inside a control of the given size.
  virtual RectT<double> GetTextRect(const PointT<double>& size) = 0;
  // The width of the text laid out without wrapping.
  virtual double GetTextWidth() = 0;
  // The height of the text wrapped at wrapWidth (when wrapping is on).
  virtual double GetTextHeight(int32_t wrapWidth) = 0;
  // The share of the control's size that the text rectangle follows on an
  // axis (0 x, 1 y): the far edge's relative part minus the near edge's.
  virtual double GetRelativeSpan(int axis) = 0;
};

}  // namespace HV
