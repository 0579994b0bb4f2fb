#include "HVFramework/ControlBase/Control/CAutoClip.h"

#include "HVFramework/ObjectBase/Exception.h"

#include <stdexcept>

namespace HV {

ClipSpec ClipSpec::ChildRect(const RectT<double>& position, const RectT<double>& clip,
                             const RCPtr<LStencil>& stencil) {
  return ClipSpec{kChildRect, position, clip, stencil, true, {}};
}

ClipSpec ClipSpec::Scroll(const PointT<double>& offset) {
  return ClipSpec{kScroll, {}, {}, nullptr, false, offset};
}

CAutoClip::CAutoClip(const RCPtr<LRenderer>& renderer, const ClipSpec& spec) {
  if (!renderer) return;
  switch (spec.flavor) {
    case ClipSpec::kCopyState:
      renderer->PushState();
      break;
    case ClipSpec::kChildRect:
      renderer->PushChildRect({spec.position.x, spec.position.y}, spec.clip, spec.stencil, spec.isRelative);
      break;
    case ClipSpec::kScroll:
      renderer->PushScroll(spec.scrollOffset);
      break;
    default:
      Throw<std::runtime_error>("Unknown PushClip flavor", HV_HERE("HV::CAutoClip::CAutoClip"));
  }
  mRenderer = renderer;
}

CAutoClip::~CAutoClip() {
  if (mRenderer) mRenderer->PopState();
}

}  // namespace HV
