#pragma once

#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/Renderer/LRenderer.h"
#include "HVFramework/Renderer/LStencil.h"
#include "HVFramework/Utilities/Geometry/PointT.h"
#include "HVFramework/Utilities/Geometry/RectT.h"

#include <cstdint>

namespace HV {

// ClipSpec: one push on the renderer's state stack, described as a value so
// that a control can decide what to push before it pushes it (CAutoClip does
// the pushing). The flavour says which push it is; the other fields are the
// arguments of that push.
struct ClipSpec {
  enum Flavor : int32_t { kCopyState = 0, kChildRect = 1, kScroll = 2 };

  int32_t flavor = kCopyState;
  // The child's origin is position.x, position.y (relative to the current
  // translation); its width and height are not part of the push.
  RectT<double> position;
  // The child's clip in the child's own coordinates.
  RectT<double> clip;
  RCPtr<LStencil> stencil;  // may be null
  bool isRelative = false;
  PointT<double> scrollOffset;

  static ClipSpec CopyState() { return ClipSpec{}; }
  // A child rectangle, its clip relative to its position.
  static ClipSpec ChildRect(const RectT<double>& position, const RectT<double>& clip,
                            const RCPtr<LStencil>& stencil);
  static ClipSpec Scroll(const PointT<double>& offset);
};

// CAutoClip: a scope guard on the renderer's state stack. It pushes what a
// ClipSpec describes (a copy of the state, a child rectangle or a scroll
// offset) and pops that state when it ends, also when an exception leaves
// the drawing inside it. Holds a counted reference to the renderer; a null
// renderer makes a guard that does nothing. User-interface thread only.
class CAutoClip {
 public:
  // Throws a Runtime Error "Unknown PushClip flavor" for any other flavour,
  // with nothing pushed.
  CAutoClip(const RCPtr<LRenderer>& renderer, const ClipSpec& spec);
  ~CAutoClip();
  CAutoClip(const CAutoClip&) = delete;
  CAutoClip& operator=(const CAutoClip&) = delete;

 private:
  RCPtr<LRenderer> mRenderer;
};

}  // namespace HV
