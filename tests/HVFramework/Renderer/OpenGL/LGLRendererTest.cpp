#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Platform/OSMesa/OSMesaGLContext.h"
#include "HVFramework/Platform/Core/VirtualClock.h"
#include "HVFramework/Renderer/OpenGL/LGLRenderContextInfo.h"
#include "HVFramework/Renderer/OpenGL/LGLRenderer.h"
#include "HVFramework/Renderer/RendererSetupErrors.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace HV {
namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kNone = 0;
const Color kRedColor{1, 0, 0, 1}, kGreenColor{0, 1, 0, 1}, kBlueColor{0, 0, 1, 1};

// A kind-0 renderer on an offscreen GL context with one window-like
// context of 32 x 32 pixels, and probes of what the last frame left.
class GLRendererFixture : public testing::Test {
 protected:
  void SetUp() override {
    Platform::UseOSMesaByDefault();
    mRenderer = LGLRenderer::Create(nullptr, nullptr);
    ASSERT_EQ(mRenderer->InitRenderContextInfo({0, 0, 32, 32}, nullptr, false, mWindow), S_OK);
  }

  // The pixel at (x, y) from the top-left, as 0xAARRGGBB.
  uint32_t Pixel(int x, int y) const {
    int width = 0, height = 0;
    const uint8_t* pixels = mRenderer->GetOffscreenPixels(width, height);
    const uint8_t* p = pixels + (static_cast<size_t>(height - 1 - y) * width + x) * 4;
    return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
  }

  // Draws one frame: clears to transparent black, then draw().
  template <class F>
  void Frame(F draw) {
    mRenderer->RenderStart(mWindow);
    mRenderer->FillRect({0, 0, 32, 32}, Color{}, false);
    draw();
    mRenderer->RenderFinish(mWindow);
  }

  RCPtr<LGLRenderer> mRenderer;
  RCPtr<LRenderContextInfo> mWindow;
};

TEST_F(GLRendererFixture, ReportsItsKindAndContext) {
  EXPECT_EQ(mRenderer->GetRendererType(), 0);
  EXPECT_TRUE(DynamicCast<LGLRenderContextInfo>(mWindow));
  EXPECT_GE(mWindow->GetMaxViewportDims().first, 32);
  EXPECT_EQ(mRenderer->MeasureText(u"abc", nullptr).width, 0);  // no font renderer
  RCPtr<LRenderer> made = LRenderer::Create(LRenderer::OpenGL, {}, nullptr);
  ASSERT_TRUE(made);
  EXPECT_EQ(made->GetRendererType(), 0);
}

TEST_F(GLRendererFixture, FillsBlendsAndReplaces) {
  Frame([&] {
    mRenderer->FillRect({0, 0, 16, 16}, kRedColor, true);
    mRenderer->FillRect({8, 8, 16, 16}, Color{0, 0, 1, 0.5f}, true);
    mRenderer->FillRect({20, 20, 4, 4}, kGreenColor, true);
    mRenderer->FillRect({21, 21, 2, 2}, kGreenColor, false);  // transparent black, whatever the colour
  });
  EXPECT_EQ(Pixel(0, 0), kRed);
  EXPECT_EQ(Pixel(15, 15) & 0x00FFFFFF, 0x007F0080u) << std::hex << Pixel(15, 15);  // half blue over red
  EXPECT_EQ(Pixel(16, 0), kNone);
  EXPECT_EQ(Pixel(20, 20), kGreen);
  EXPECT_EQ(Pixel(21, 21), kNone);
  EXPECT_EQ(Pixel(23, 23), kGreen);
}

TEST_F(GLRendererFixture, ReadsBackWhatTheLastFrameShows) {
  Frame([&] { mRenderer->FillRect({4, 2, 2, 3}, kRedColor, true); });
  std::vector<uint8_t> bgra;
  ASSERT_EQ(mRenderer->ReadPixels({3, 1, 4, 5}, bgra), S_OK);
  ASSERT_EQ(bgra.size(), 4u * 5 * 4);
  auto at = [&](int x, int y) { return bgra[(y * 4 + x) * 4 + 2]; };  // the red byte
  EXPECT_EQ(at(0, 0), 0);
  EXPECT_EQ(at(1, 1), 255);  // (4, 2): the red rectangle's first pixel
  EXPECT_EQ(at(2, 3), 255);
  EXPECT_EQ(at(1, 4), 0);
  mRenderer->RenderStart(mWindow);
  EXPECT_EQ(mRenderer->ReadPixels({0, 0, 4, 4}, bgra), E_FAIL);  // not inside a frame
  mRenderer->RenderFinish(mWindow);
  EXPECT_EQ(mRenderer->ReadPixels({0, 0, 0, 4}, bgra), E_FAIL);
}

TEST_F(GLRendererFixture, ClipsToTheScissorOfTheCurrentState) {
  Frame([&] {
    mRenderer->PushState();
    mRenderer->Translate({4, 4});
    mRenderer->SetClipRect({0, 0, 8, 8});
    mRenderer->FillRect({-4, -4, 32, 32}, kRedColor, true);
    mRenderer->PopState();
    mRenderer->PushState();
    mRenderer->SetClipRect({-20, -20, 10, 10});  // wholly left of and above the viewport
    mRenderer->FillRect({0, 0, 32, 32}, kBlueColor, true);
    mRenderer->PopState();
    mRenderer->PushChildRect({20, 20}, {0, 0, 4, 4}, nullptr, true);
    mRenderer->FillRect({0, 0, 32, 32}, kGreenColor, true);
    mRenderer->PopState();
  });
  EXPECT_EQ(Pixel(3, 3), kNone);
  EXPECT_EQ(Pixel(4, 4), kRed);
  EXPECT_EQ(Pixel(11, 11), kRed);
  EXPECT_EQ(Pixel(12, 12), kNone);
  EXPECT_EQ(Pixel(0, 0), kNone);  // the clip outside drew nothing
  EXPECT_EQ(Pixel(20, 20), kGreen);
  EXPECT_EQ(Pixel(23, 23), kGreen);
  EXPECT_EQ(Pixel(24, 24), kNone);
}

TEST_F(GLRendererFixture, OutlinesLinesAndPolygons) {
  PolylineT<float> triangle;
  triangle.SetPoints({{0, 0}, {8, 0}, {0, 8}});
  ColorRectListT<float> cells;
  cells.AddRect({0, 0, 2, 2}, 0xFF00FF00);
  cells.AddRect({1, 1, 2, 2}, 0xFFFF0000);  // the last is drawn first
  Frame([&] {
    mRenderer->DrawRect({16, 0, 8, 8}, kBlueColor, 1);
    mRenderer->FillPolygon(triangle, kRedColor, {0, 16}, {1, 1}, true);
    mRenderer->DrawColorRectList(cells, {24, 24}, true);
  });
  EXPECT_EQ(Pixel(20, 4), kNone);  // inside the outline
  EXPECT_EQ(Pixel(1, 17), kRed);
  EXPECT_EQ(Pixel(7, 23), kNone);
  EXPECT_EQ(Pixel(24, 24), kGreen);
  EXPECT_EQ(Pixel(25, 25), kGreen);
  EXPECT_EQ(Pixel(26, 26), kRed);
}

TEST_F(GLRendererFixture, LinesListsAndStripsLeaveInkOnTheirPath) {
  PolylineT<float> pairs;  // two separate strokes
  pairs.SetPoints({{0, 10.5f}, {8, 10.5f}, {0, 14.5f}, {8, 14.5f}});
  PolylineT<float> strip;  // an L, scaled twice
  strip.SetPoints({{0, 0}, {0, 4}, {4, 4}});
  Frame([&] {
    mRenderer->DrawLine({0, 2.5f}, {32, 2.5f}, kRedColor, 1);
    mRenderer->DrawLineList(pairs, kGreenColor, {0, 0}, {1, 1}, true);
    mRenderer->DrawLineStrip(strip, kBlueColor, {16.5f, 16.5f}, {2, 2}, false);
  });
  EXPECT_NE(Pixel(16, 2) & 0x00FF0000, 0u);
  EXPECT_EQ(Pixel(16, 6), kNone);
  EXPECT_NE(Pixel(4, 10) & 0x0000FF00, 0u);
  EXPECT_NE(Pixel(4, 14) & 0x0000FF00, 0u);
  EXPECT_EQ(Pixel(4, 12), kNone);  // nothing between the pairs
  EXPECT_NE(Pixel(16, 20) & 0x000000FF, 0u);
  EXPECT_NE(Pixel(20, 24) & 0x000000FF, 0u);
  EXPECT_EQ(Pixel(22, 20), kNone);
}

TEST_F(GLRendererFixture, CachedShapesFollowTheirChanges) {
  PolylineT<float> square;
  square.SetPoints({{0, 0}, {4, 0}, {4, 4}, {0, 4}});
  Frame([&] { mRenderer->FillPolygon(square, kRedColor, {0, 0}, {1, 1}, true); });
  EXPECT_FALSE(square.IsChanged());
  // Unchanged: the recorded list is replayed, at another offset.
  Frame([&] { mRenderer->FillPolygon(square, kRedColor, {8, 8}, {1, 1}, true); });
  EXPECT_EQ(Pixel(9, 9), kRed);
  EXPECT_EQ(Pixel(1, 1), kNone);
  square.SetPoints({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
  Frame([&] { mRenderer->FillPolygon(square, kRedColor, {8, 8}, {1, 1}, true); });
  EXPECT_EQ(Pixel(9, 9), kRed);
  EXPECT_EQ(Pixel(11, 11), kNone);  // recorded again, smaller
}

TEST_F(GLRendererFixture, DrawsBitmapsStretchedTiledAndCentred) {
  RCPtr<LBitmap> blue = LBitmap::CreateFilledBitmap(4, 4, kBlueColor);
  ASSERT_TRUE(blue);
  Frame([&] {
    mRenderer->DrawBitmap(blue, {0, 0, 8, 8}, ResizeType::Stretch);
    mRenderer->DrawBitmap(blue, {16, 0, 10, 4}, ResizeType::Tile);
    mRenderer->DrawBitmap(blue, {0, 16, 0, 4}, ResizeType::Tile);  // width 0: nothing
    mRenderer->DrawBitmap(blue, {16, 16, 8, 8}, ResizeType::Center);
  });
  EXPECT_EQ(Pixel(0, 0), kBlue);
  EXPECT_EQ(Pixel(7, 7), kBlue);   // stretched edges keep their colour
  EXPECT_EQ(Pixel(27, 3), kBlue);  // the last tile reaches past the destination
  EXPECT_EQ(Pixel(0, 16), kNone);
  EXPECT_EQ(Pixel(17, 17), kNone);
  EXPECT_EQ(Pixel(18, 18), kBlue);
  EXPECT_EQ(Pixel(22, 22), kNone);
  mRenderer->RenderStart(mWindow);
  EXPECT_THROW(mRenderer->DrawBitmap(nullptr, {0, 0, 4, 4}, ResizeType::Stretch), FailedResultException);
  EXPECT_THROW(mRenderer->DrawBitmap(blue, {0, 0, 5, 5}, static_cast<ResizeType>(7)),
               Exception<std::logic_error>);
  mRenderer->RenderFinish(mWindow);
}

TEST_F(GLRendererFixture, TheWindowDrawsOnAfterANestedSurfaceFrame) {
  RCPtr<LRenderContextInfo> surface;
  ASSERT_EQ(mRenderer->InitRenderContextInfo({0, 0, 8, 8}, nullptr, true, surface), S_OK);
  Frame([&] {
    mRenderer->Translate({2, 2});
    RCPtr<LRenderContextInfo> another;  // made during the frame: the frame's state stays
    ASSERT_EQ(mRenderer->InitRenderContextInfo({0, 0, 4, 4}, nullptr, true, another), S_OK);
    mRenderer->RenderStart(surface);
    mRenderer->RenderFinish(surface);
    mRenderer->FillRect({0, 0, 4, 4}, kRedColor, true);  // still translated, still current
  });
  EXPECT_EQ(Pixel(1, 1), kNone);
  EXPECT_EQ(Pixel(2, 2), kRed);
  EXPECT_EQ(Pixel(5, 5), kRed);
  EXPECT_EQ(mWindow->GetViewport().width, 32);
}

// A surface's frame leaves its picture in the surface's texture and the
// pixels under it as they were, nested in a window's frame or not.
TEST_F(GLRendererFixture, SurfacesKeepTheirPictureAndRestoreWhatLayUnder) {
  RCPtr<LRenderContextInfo> surface;
  ASSERT_EQ(mRenderer->InitRenderContextInfo({0, 0, 8, 8}, nullptr, true, surface), S_OK);
  mRenderer->RenderStart(mWindow);
  EXPECT_EQ(mRenderer->DrawSurface(surface, {0, 0}, {0, 0, 8, 8}), E_FAIL);  // no frame finished yet
  EXPECT_EQ(mRenderer->DrawSurface(mWindow, {0, 0}, {0, 0, 8, 8}), E_INVALIDARG);
  EXPECT_EQ(mRenderer->BlitSurface(mWindow, {0, 0}), E_INVALIDARG);
  mRenderer->RenderFinish(mWindow);

  Frame([&] {
    mRenderer->FillRect({0, 0, 32, 32}, kGreenColor, true);
    mRenderer->RenderStart(surface);  // nested: draws over the window's pixels for a while
    mRenderer->FillRect({0, 0, 8, 8}, Color{}, false);
    mRenderer->FillRect({0, 0, 4, 8}, kRedColor, true);
    mRenderer->FillRect({4, 0, 4, 8}, kBlueColor, true);
    mRenderer->FillRect({0, 0, 8, 1}, kGreenColor, true);  // the top row
    mRenderer->RenderFinish(surface);
    EXPECT_EQ(mRenderer->DrawSurface(surface, {10, 10}, {2, 0, 4, 8}), S_OK);
  });
  // Surfaces draw at the bottom-left of the GL buffer (GL counts rows from the bottom).
  EXPECT_EQ(Pixel(1, 30), kGreen);  // put back after the surface's frame
  EXPECT_EQ(Pixel(6, 24), kGreen);
  EXPECT_EQ(Pixel(10, 10), kGreen);  // the surface's top row
  EXPECT_EQ(Pixel(10, 11), kRed);
  EXPECT_EQ(Pixel(11, 17), kRed);
  EXPECT_EQ(Pixel(12, 11), kBlue);
  EXPECT_EQ(Pixel(13, 17), kBlue);
  EXPECT_EQ(Pixel(14, 11), kGreen);  // the window's own again

  // Outside a window frame the window's pixels are kept as well.
  mRenderer->RenderStart(surface);
  mRenderer->FillRect({0, 0, 8, 8}, kBlueColor, false);
  mRenderer->RenderFinish(surface);
  EXPECT_EQ(Pixel(1, 30), kGreen);
  EXPECT_EQ(mRenderer->BlitSurface(surface, {0, 0}), S_OK);
  EXPECT_EQ(Pixel(1, 30), kGreen);
}

TEST_F(GLRendererFixture, ContextErrorsLeaveTheStackAsItWas) {
  mRenderer->RenderStart(mWindow);
  EXPECT_THROW(mRenderer->RenderStart(mWindow), Exception<std::runtime_error>);
  RCPtr<LRenderContextInfo> other;
  mRenderer->InitRenderContextInfo({0, 0, 8, 8}, nullptr, true, other);
  EXPECT_THROW(mRenderer->RenderFinish(other), Exception<std::runtime_error>);
  EXPECT_EQ(mRenderer->GetContextDepth(), 1u);
  mRenderer->RenderFinish(mWindow);
  EXPECT_EQ(mRenderer->GetContextDepth(), 0u);
}

// Cached textures hold their bitmaps: a bitmap's count shows whether its
// texture is still cached.
TEST(GLRendererPurge, KeepsWhatWasUsedSinceThePreviousPurge) {
  Platform::VirtualClock clock(1000);
  Platform::UseOSMesaByDefault();
  RCPtr<LGLRenderer> renderer = LGLRenderer::Create(nullptr, nullptr);
  RCPtr<LRenderContextInfo> window;
  renderer->InitRenderContextInfo({0, 0, 16, 16}, nullptr, false, window);
  RCPtr<LBitmap> kept = LBitmap::CreateFilledBitmap(4, 4, kRedColor);
  RCPtr<LBitmap> dropped = LBitmap::CreateFilledBitmap(4, 4, kBlueColor);
  auto frame = [&](bool drawBoth) {
    renderer->RenderStart(window);
    renderer->DrawBitmap(kept, {0, 0, 4, 4}, ResizeType::Stretch);
    if (drawBoth) renderer->DrawBitmap(dropped, {4, 4, 4, 4}, ResizeType::Stretch);
    renderer->RenderFinish(window);
  };
  frame(true);
  const int32_t cachedCount = dropped->GetRefCount();
  clock.Advance(LGLRenderer::kPurgePeriodMs);  // not yet more than five minutes
  frame(false);
  clock.Advance(1);
  frame(false);  // the first purge: both were used since the start
  EXPECT_EQ(dropped->GetRefCount(), cachedCount);
  clock.Advance(LGLRenderer::kPurgePeriodMs + 1);
  frame(false);  // the second purge: only what was drawn since the first stays
  EXPECT_EQ(dropped->GetRefCount(), cachedCount - 1);
  EXPECT_EQ(kept->GetRefCount(), cachedCount);
}

// Records the set-up errors a renderer shows, by message ID.
class SetupErrorRecorder : public IRendererSetupErrorSink {
 public:
  SetupErrorRecorder() { SetRendererSetupErrorSink(this); }
  ~SetupErrorRecorder() override { SetRendererSetupErrorSink(nullptr); }
  void ShowRendererSetupError(const StringW& messageId) override {
    shown.push_back(messageId.ToCharString().GetText());
  }
  std::vector<std::string> shown;
};

// A context the platform will not make current.
class RefusingContext : public Platform::IGLContext {
 public:
  bool MakeCurrent(int, int) override { return false; }
  void ReleaseCurrent() override {}
  void SwapBuffers() override {}
  Platform::GLPixelFormat GetPixelFormat() const override { return {}; }
  const uint8_t* GetOffscreenPixels(int&, int&) const override { return nullptr; }
};

TEST(GLRendererSetup, EachFailureShowsItsMessageBeforeItThrows) {
  SetupErrorRecorder recorder;
  Platform::SetGLContextFactory([](PlatformWindow*) { return std::unique_ptr<Platform::IGLContext>(); });
  EXPECT_THROW(LGLRenderer::Create(nullptr, nullptr), Exception<std::runtime_error>);
  EXPECT_EQ(recorder.shown, std::vector<std::string>{"GL_ERROR_MESSAGE_CREATE_CONTEXT"});

  recorder.shown.clear();
  Platform::SetGLContextFactory([](PlatformWindow*) { return std::make_unique<RefusingContext>(); });
  const RCPtr<LGLRenderer> renderer = LGLRenderer::Create(nullptr, nullptr);
  Platform::SetGLContextFactory(nullptr);
  RCPtr<LRenderContextInfo> context;
  EXPECT_THROW(renderer->InitRenderContextInfo({0, 0, 16, 16}, nullptr, false, context),
               Exception<std::runtime_error>);
  EXPECT_EQ(recorder.shown, std::vector<std::string>{"GL_ERROR_MESSAGE_SET_PIXEL_FORMAT"});
}

TEST(GLRendererSetup, ARendererThatSetsUpShowsNothing) {
  SetupErrorRecorder recorder;
  Platform::UseOSMesaByDefault();
  const RCPtr<LGLRenderer> renderer = LGLRenderer::Create(nullptr, nullptr);
  RCPtr<LRenderContextInfo> context;
  EXPECT_EQ(renderer->InitRenderContextInfo({0, 0, 16, 16}, nullptr, false, context), S_OK);
  EXPECT_TRUE(recorder.shown.empty());
}

}  // namespace
}  // namespace HV
