#include "HVFramework/Renderer/OpenGL/LGLDisplayList.h"

#include "HVFramework/Renderer/OpenGL/GLErrors.h"

#include <GL/gl.h>

namespace HV {

LGLDisplayList::~LGLDisplayList() {
  if (mFirst >= 0 && glIsList(static_cast<GLuint>(mFirst)))
    glDeleteLists(static_cast<GLuint>(mFirst), mCount);
  DrainGLErrors();
}

HResult LGLDisplayList::Begin(int32_t index) {
  if (mFirst < 0 && mCount > 0) {
    const GLuint first = glGenLists(mCount);
    DrainGLErrors();
    if (first != 0) mFirst = first;
  }
  if (mFirst < 0) return E_FAIL;
  if (index < 0 || index >= mCount) return E_INVALIDARG;
  glNewList(static_cast<GLuint>(mFirst + index), GL_COMPILE);
  DrainGLErrors();
  return S_OK;
}

HResult LGLDisplayList::End() {
  if (mFirst < 0) return E_FAIL;
  glEndList();
  DrainGLErrors();
  return S_OK;
}

HResult LGLDisplayList::Call(int32_t start, int32_t count) const {
  if (mFirst < 0) return E_FAIL;
  if (start < 0 || count < 0 || int64_t{start} + count > mCount) return E_INVALIDARG;
  for (int32_t i = start; i < start + count; ++i) {
    const auto name = static_cast<GLuint>(mFirst + i);
    if (!glIsList(name)) {
      DrainGLErrors();
      return E_FAIL;
    }
    glCallList(name);
    DrainGLErrors();
  }
  return S_OK;
}

}  // namespace HV
