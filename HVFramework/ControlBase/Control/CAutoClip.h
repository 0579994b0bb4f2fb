#pragma once

#include "HVFramework/ControlBase/Control/ClipSpec.h"
#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/Renderer/LRenderer.h"

namespace HV {

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
