#include "HVFramework/ControlBase/Control/LFontTextMeasurer.h"

namespace HV {

RectT<double> LFontTextMeasurer::GetTextRect(const PointT<double>& size) {
  const double left = mArea.leftRelative * size.x + mArea.leftOffset;
  const double top = mArea.topRelative * size.y + mArea.topOffset;
  const double right = mArea.rightRelative * size.x + mArea.rightOffset;
  const double bottom = mArea.bottomRelative * size.y + mArea.bottomOffset;
  return {left, top, right - left, bottom - top};
}

double LFontTextMeasurer::GetRelativeSpan(int axis) {
  if (axis == 0) return static_cast<double>(mArea.rightRelative) - mArea.leftRelative;
  return static_cast<double>(mArea.bottomRelative) - mArea.topRelative;
}

}  // namespace HV
