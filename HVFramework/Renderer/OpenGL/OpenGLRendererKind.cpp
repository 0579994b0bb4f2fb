#include "HVFramework/Renderer/OpenGLRendererKind.h"

#include "HVFramework/Renderer/FontRenderer/LFreetypeFontRenderer.h"
#include "HVFramework/Renderer/OpenGL/LGLGlyphRenderer.h"
#include "HVFramework/Renderer/OpenGL/LGLRenderer.h"

namespace HV {

RCPtr<LRenderer> CreateOpenGLRenderer(WindowHandle window) {
  // One glyph renderer both draws and measures.
  const RCPtr<LGlyphProcessor> glyphs = LGLGlyphRenderer::Make();
  return LGLRenderer::Create(window, LFreetypeFontRenderer::Make(glyphs, glyphs));
}

}  // namespace HV
