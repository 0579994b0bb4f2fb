#include "HVFramework/Renderer/OpenGL/OpenGLRendererKind.h"

#include "HVFramework/Renderer/OpenGL/LGLRenderer.h"

namespace HV {

RCPtr<LRenderer> CreateOpenGLRenderer(WindowHandle window) { return LGLRenderer::Create(window, nullptr); }

}  // namespace HV
