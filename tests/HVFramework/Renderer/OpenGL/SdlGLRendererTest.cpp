#include "HVFramework/Platform/SDLGL/SdlGLContext.h"
#include "HVFramework/Renderer/OpenGL/LGLRenderer.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <vector>

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
    RCPtr<LRenderContextInfo> surface;  // drawn at the bottom-left of the back buffer, then put back
    ASSERT_EQ(renderer->InitRenderContextInfo({0, 0, 8, 8}, nullptr, true, surface), S_OK);
    renderer->RenderStart(surface);
    renderer->FillRect({0, 0, 8, 8}, Color{0, 0, 1, 1}, true);
    renderer->RenderFinish(surface);
    EXPECT_EQ(renderer->DrawSurface(surface, {40, 30}, {0, 0, 8, 8}), S_OK);
    renderer->RenderFinish(context);

    std::vector<uint8_t> bgra;
    ASSERT_EQ(renderer->ReadPixels({0, 0, 64, 48}, bgra), S_OK);
    auto red = [&](int x, int y) { return bgra[(y * 64 + x) * 4 + 2]; };
    auto green = [&](int x, int y) { return bgra[(y * 64 + x) * 4 + 1]; };
    EXPECT_EQ(red(4, 4), 255);
    EXPECT_EQ(green(4, 4), 0);
    EXPECT_EQ(red(60, 45), 0);
    auto blue = [&](int x, int y) { return bgra[(y * 64 + x) * 4]; };
    EXPECT_EQ(blue(2, 45), 0);  // the window's own pixels under the surface
    EXPECT_EQ(blue(44, 34), 255);
  }
  Platform::SetGLContextFactory(nullptr);
  SDL_DestroyWindow(window);
  // SDL_Quit is left out: it unloads the GL libraries, and the leak report
  // could then no longer name the library that kept each block.
}

}  // namespace
}  // namespace HV
