#include "HVFramework/Platform/GL/GLContext.h"

#include <utility>

namespace HV::Platform {

// The offscreen backend registers itself here when it is linked in, so the
// window-only program needs no OSMesa.
GLContextFactory& DefaultGLContextFactory() {
  static GLContextFactory factory;
  return factory;
}

namespace {
GLContextFactory& InstalledFactory() {
  static GLContextFactory factory;
  return factory;
}
}  // namespace

std::unique_ptr<IGLContext> CreateGLContext(PlatformWindow* window) {
  if (InstalledFactory()) return InstalledFactory()(window);
  if (DefaultGLContextFactory()) return DefaultGLContextFactory()(window);
  return nullptr;
}

void SetGLContextFactory(GLContextFactory factory) { InstalledFactory() = std::move(factory); }

}  // namespace HV::Platform
