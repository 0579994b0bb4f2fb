#include "HVFramework/Platform/SDLGL/SdlGLContext.h"

#include <SDL2/SDL.h>

namespace HV::Platform {

namespace {

class SdlGLContext : public IGLContext {
 public:
  SdlGLContext(SDL_Window* window, SDL_GLContext context) : mWindow(window), mContext(context) {
    int doubleBuffered = 0;
    if (SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffered) == 0)
      mFormat.isDoubleBuffered = doubleBuffered != 0;
    // SDL says nothing of how buffers swap; the renderer copies back to
    // front itself, which is right whatever the driver does.
    mFormat.isSwapCopy = false;
  }
  ~SdlGLContext() override {
    if (SDL_GL_GetCurrentContext() == mContext) ReleaseCurrent();
    SDL_GL_DeleteContext(mContext);
  }

  bool MakeCurrent(int, int) override { return SDL_GL_MakeCurrent(mWindow, mContext) == 0; }
  void ReleaseCurrent() override { SDL_GL_MakeCurrent(mWindow, nullptr); }
  void SwapBuffers() override { SDL_GL_SwapWindow(mWindow); }
  GLPixelFormat GetPixelFormat() const override { return mFormat; }
  const uint8_t* GetOffscreenPixels(int& width, int& height) const override {
    width = height = 0;
    return nullptr;
  }

 private:
  SDL_Window* mWindow;
  SDL_GLContext mContext;
  GLPixelFormat mFormat;
};

}  // namespace

void PrepareSdlGLAttributes() {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
}

std::unique_ptr<IGLContext> CreateSdlGLContext(void* sdlWindow) {
  auto* window = static_cast<SDL_Window*>(sdlWindow);
  if (!window) return nullptr;
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) return nullptr;
  auto result = std::make_unique<SdlGLContext>(window, context);
  result->ReleaseCurrent();
  return result;
}

}  // namespace HV::Platform
