#include "HVFramework/Platform/SDLGL/SdlGLWindows.h"

#include "HVFramework/Platform/SDLGL/SdlGLContext.h"

namespace HV::Platform {

void PrepareSdlGLWindows(SdlWindowSystem&) {
  // The attributes are SDL's, global; the system argument says they need its video subsystem.
  PrepareSdlGLAttributes();
}

GLContextFactory MakeSdlGLContextFactory(SdlWindowSystem& system) {
  return [&system](PlatformWindow* window) -> std::unique_ptr<IGLContext> {
    SDL_Window* native = system.FindSdlWindow(window);
    return native ? CreateSdlGLContext(native) : nullptr;
  };
}

}  // namespace HV::Platform
