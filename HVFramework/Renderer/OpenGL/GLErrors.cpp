#include "HVFramework/Renderer/OpenGL/GLErrors.h"

#include <GL/gl.h>

namespace HV {

void DrainGLErrors() {
  // A context that is not current answers GL_INVALID_OPERATION for ever on
  // some drivers: stop after a bounded number of reads.
  for (int i = 0; i < 64 && glGetError() != GL_NO_ERROR; ++i) {
  }
}

}  // namespace HV
