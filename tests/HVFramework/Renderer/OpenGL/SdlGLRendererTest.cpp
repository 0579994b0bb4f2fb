#include "HVFramework/Platform/SdlGLContext.h"
#include "HVFramework/Renderer/OpenGL/LGLRenderer.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

namespace HV {
namespace {

// The OpenGL renderer on a real SDL window (GLX): double-buffered without
// swap-copy, so each frame reaches the front buffer by the renderer's own
// back-to-front copy. Runs under Xvfb.
TEST(SdlGLRendererDisplay, FramesReachTheFrontBuffer) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) GTEST_SKIP() << "no display: " << SDL_GetError();
  Platform::PrepareSdlGLAttributes();
  SDL_Window* window = SDL_CreateWindow("gl", 0, 0, 64, 48, SDL_WINDOW_OPENGL);
  ASSERT_TRUE(window) << SDL_GetError();
  Platform::IGLContext* made = nullptr;
  Platform::SetGLContextFactory([&](PlatformWindow*) {
    auto context = Platform::CreateSdlGLContext(window);
    made = context.get();
    return context;
  });
  {
    RCPtr<LGLRenderer> renderer = LGLRenderer::Create(nullptr, nullptr);
    ASSERT_TRUE(made);
    EXPECT_TRUE(renderer->GetPixelFormat().isDoubleBuffered);
    EXPECT_FALSE(renderer->GetPixelFormat().isSwapCopy);
    RCPtr<LRenderContextInfo> context;
    ASSERT_EQ(renderer->InitRenderContextInfo({0, 0, 64, 48}, nullptr, false, context), S_OK);
    renderer->RenderStart(context);
    renderer->FillRect({0, 0, 64, 48}, Color{}, false);
    renderer->FillRect({0, 0, 32, 24}, Color{1, 0, 0, 1}, true);
    renderer->RenderFinish(context);

    ASSERT_TRUE(made->MakeCurrent(64, 48));
    glReadBuffer(GL_FRONT);
    uint8_t topLeft[4] = {}, bottomRight[4] = {};
    glReadPixels(4, 48 - 1 - 4, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, topLeft);
    glReadPixels(60, 2, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, bottomRight);
    made->ReleaseCurrent();
    EXPECT_EQ(topLeft[0], 255);
    EXPECT_EQ(topLeft[1], 0);
    EXPECT_EQ(bottomRight[0], 0);
  }
  Platform::SetGLContextFactory(nullptr);
  SDL_DestroyWindow(window);
  // SDL_Quit is left out: it unloads the GL libraries, and the leak report
  // could then no longer name the library that kept each block.
}

}  // namespace
}  // namespace HV
