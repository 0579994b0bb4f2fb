#pragma once

#include "HVFramework/Renderer/WindowHandle.h"

namespace HV {

class LRenderer;
template <class T>
class RCPtr;

// The OpenGL renderer of LRenderer::Create (kind 0) with its FreeType text.
// Defined only when the program links the OpenGL renderer's kind object
// (hv_gl_renderer_kind); otherwise the weak symbol is null and kind 0 gives null.
[[gnu::weak]] RCPtr<LRenderer> CreateOpenGLRenderer(WindowHandle window);

}  // namespace HV
