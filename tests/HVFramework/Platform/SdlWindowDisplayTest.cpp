#include "HVFramework/Platform/SdlWindow.h"

#include "HVFramework/Platform/Graphics2D.h"
#include "HVFramework/Platform/Surface2D.h"
#include "tests/support/IgnoreSystemLeaks.h"

#include <gtest/gtest.h>

namespace HV::Platform {
namespace {

uint32_t Shown(const BgraImage& image, int32_t x, int32_t y) {
  const uint8_t* p = &image.pixels[(size_t(y) * image.width + x) * 4];
  return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

TEST(SdlWindowDisplay, PresentsExactlyTheGivenRectangles) {
  // The display libraries keep buffers from opening to closing and beyond.
  IgnoreSystemLeaks displayLibraries;
  std::string error;
  std::unique_ptr<SdlWindow> window = SdlWindow::Open("presenter test", 64, 48, error);
  ASSERT_TRUE(window) << error;
  IWindowPresenter& presenter = *window->GetPlatformWindow()->presenter;

  RCPtr<Surface2D> frame = Surface2D::Create(64, 48);
  Graphics2D g(*frame);
  g.Clear(0xFF102030);
  g.Flush();
  const PresentedFrame first{frame->GetPixels(), 64, 48, frame->GetStride()};
  presenter.Present(first, {{0, 0, 64, 48}});

  g.Clear(0xFFFF8000);
  g.Flush();
  presenter.Present({frame->GetPixels(), 64, 48, frame->GetStride()}, {{4, 6, 10, 5}, {60, 40, 20, 20}});

  BgraImage shown;
  ASSERT_TRUE(window->Capture(shown));
  int32_t changed = 0;
  for (int32_t y = 0; y < 48; ++y)
    for (int32_t x = 0; x < 64; ++x) changed += Shown(shown, x, y) == 0xFF8000;
  EXPECT_EQ(changed, 10 * 5 + 4 * 8);  // the second rectangle is cut at the window's edge
  EXPECT_EQ(Shown(shown, 4, 6), 0xFF8000u);
  EXPECT_EQ(Shown(shown, 3, 6), 0x102030u);
  EXPECT_EQ(Shown(shown, 63, 47), 0xFF8000u);
}

}  // namespace
}  // namespace HV::Platform
