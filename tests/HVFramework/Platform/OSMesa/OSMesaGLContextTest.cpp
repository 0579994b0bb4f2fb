#include "HVFramework/Platform/OSMesa/OSMesaGLContext.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>

namespace HV::Platform {
namespace {

// The pixel at (x, y) counted from the top-left, as 0xAARRGGBB.
uint32_t PixelAt(const IGLContext& context, int x, int y) {
  int width = 0, height = 0;
  const uint8_t* pixels = context.GetOffscreenPixels(width, height);
  const uint8_t* p = pixels + (static_cast<size_t>(height - 1 - y) * width + x) * 4;
  return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

TEST(OSMesaGLContext, ClearsInsideTheScissorOnly) {
  auto context = CreateOSMesaGLContext();
  ASSERT_TRUE(context);
  ASSERT_TRUE(context->MakeCurrent(16, 8));
  EXPECT_FALSE(context->GetPixelFormat().isDoubleBuffered);
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_SCISSOR_TEST);
  glScissor(4, 2, 8, 4);  // GL counts rows from the bottom
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glFinish();
  context->ReleaseCurrent();
  // Rows 2..5 from the bottom of 8 are rows 2..5 from the top as well.
  const struct {
    int x, y;
    uint32_t argb;
  } probes[] = {{0, 0, 0xFFFF0000}, {4, 1, 0xFFFF0000}, {4, 2, 0xFF0000FF},  {11, 5, 0xFF0000FF},
                {4, 6, 0xFFFF0000}, {3, 3, 0xFFFF0000}, {12, 3, 0xFFFF0000}, {15, 7, 0xFFFF0000}};
  for (const auto& probe : probes)
    EXPECT_EQ(PixelAt(*context, probe.x, probe.y), probe.argb) << probe.x << "," << probe.y;
}

TEST(OSMesaGLContext, GrowsItsBufferAndNeverShrinks) {
  auto context = CreateOSMesaGLContext();
  ASSERT_TRUE(context);
  int width = 0, height = 0;
  ASSERT_TRUE(context->MakeCurrent(8, 8));
  ASSERT_TRUE(context->MakeCurrent(32, 4));
  ASSERT_TRUE(context->GetOffscreenPixels(width, height));
  EXPECT_EQ(width, 32);
  EXPECT_EQ(height, 8);
  ASSERT_TRUE(context->MakeCurrent(0, -5));  // clamped to one pixel
  context->GetOffscreenPixels(width, height);
  EXPECT_EQ(width, 32);
  context->ReleaseCurrent();
}

TEST(GLContextFactory, InstalledFactoryWinsOverTheDefault) {
  UseOSMesaByDefault();
  EXPECT_TRUE(CreateGLContext(nullptr));
  int calls = 0;
  SetGLContextFactory([&](PlatformWindow*) {
    ++calls;
    return std::unique_ptr<IGLContext>();
  });
  EXPECT_FALSE(CreateGLContext(nullptr));
  EXPECT_EQ(calls, 1);
  SetGLContextFactory(nullptr);
  EXPECT_TRUE(CreateGLContext(nullptr));
}

}  // namespace
}  // namespace HV::Platform
