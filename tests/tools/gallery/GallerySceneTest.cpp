#include "tools/gallery/GalleryScene.h"

#include "HVFramework/Platform/2D/MemoryPresenter.h"
#include "HVFramework/Platform/2D/PlatformWindow.h"
#include "HVFramework/Platform/Graphics/PngCodec.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/TestFonts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace HV::Gallery {
namespace {

// The scene's first frame drawn headless: the window picture a memory
// presenter received (premultiplied 0xAARRGGBB).
RCPtr<Platform::MemoryPresenter> RenderHeadless() {
  UseTestFonts();
  RCPtr<Platform::MemoryPresenter> presenter =
      Platform::MemoryPresenter::Create(GalleryScene::kWidth, GalleryScene::kHeight);
  PlatformWindow window{presenter};
  RCPtr<LRenderer> renderer = LRenderer::Create(LRenderer::GdiPlus, {}, &window);
  SetApplicationRenderer(renderer);
  RCPtr<LRenderContextInfo> context;
  renderer->InitRenderContextInfo({0, 0, GalleryScene::kWidth, GalleryScene::kHeight}, &window, false,
                                  context);
  context->GetUpdateRegion().AddRect({0, 0, GalleryScene::kWidth, GalleryScene::kHeight});
  GalleryScene scene;
  renderer->RenderStart(context);
  scene.Paint(*renderer, 0);
  renderer->RenderFinish(context);
  SetApplicationRenderer(nullptr);
  return presenter;
}

TEST(GalleryScene, HeadlessRenderShowsTheProbeColours) {
  RCPtr<Platform::MemoryPresenter> picture = RenderHeadless();
  for (const GalleryScene::Probe& probe : GalleryScene::GetProbes())
    if (probe.argb != 0) {
      EXPECT_EQ(picture->GetPixel(probe.x, probe.y), probe.argb) << probe.what;
    }
  // Each text row left ink on the background.
  for (int32_t top : {340, 366, 392, 418, 444}) {
    int32_t ink = 0;
    for (int32_t y = top; y < top + 14; ++y)
      for (int32_t x = 20; x < 300; ++x) ink += (picture->GetPixel(x, y) & 0xFFFFFF) != 0x1E2630u;
    EXPECT_GT(ink, 100) << "row at " << top;
  }
}

TEST(GalleryDisplay, ScreenshotShowsWhatTheHeadlessRenderShows) {
  HV::Test::TemporaryFolder folder;
  const std::string shot = folder.GetPath() + "/gallery.png";
  // The gallery draws with the tests' fonts; its own leaks are checked by
  // the unit tests, not here (the display libraries keep buffers at exit).
  const std::string command = std::string("FONTCONFIG_FILE=") + HV_TEST_FONTS_CONF +
                              " ASAN_OPTIONS=detect_leaks=0 " + HV_GALLERY_PROGRAM + " --screenshot " + shot;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  Platform::BgraImage screenshot;
  ASSERT_TRUE(Platform::DecodePngFile(shot, screenshot));
  ASSERT_EQ(screenshot.width, GalleryScene::kWidth);
  ASSERT_EQ(screenshot.height, GalleryScene::kHeight);
  const auto shown = [&](int32_t x, int32_t y) {
    const uint8_t* p = &screenshot.pixels[(size_t(y) * screenshot.width + x) * 4];
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
  };
  RCPtr<Platform::MemoryPresenter> headless = RenderHeadless();
  for (const GalleryScene::Probe& probe : GalleryScene::GetProbes())
    EXPECT_EQ(shown(probe.x, probe.y), headless->GetPixel(probe.x, probe.y) & 0xFFFFFF) << probe.what;
  // The window shows the frame over black: every pixel, not just the probes.
  int32_t differing = 0;
  for (int32_t y = 0; y < screenshot.height; ++y)
    for (int32_t x = 0; x < screenshot.width; ++x)
      differing += shown(x, y) != (headless->GetPixel(x, y) & 0xFFFFFF);
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace HV::Gallery
