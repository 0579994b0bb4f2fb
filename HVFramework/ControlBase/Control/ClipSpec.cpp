#include "HVFramework/ControlBase/Control/ClipSpec.h"

namespace HV {

ClipSpec ClipSpec::ChildRect(const RectT<double>& position, const RectT<double>& clip,
                             const RCPtr<LStencil>& stencil) {
  return ClipSpec{kChildRect, position, clip, stencil, true, {}};
}

ClipSpec ClipSpec::Scroll(const PointT<double>& offset) {
  return ClipSpec{kScroll, {}, {}, nullptr, false, offset};
}

}  // namespace HV
