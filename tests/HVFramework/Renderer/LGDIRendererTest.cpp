#include "HVFramework/Renderer/Gdi/LGDIRenderer.h"

#include "HVFramework/Platform/2D/MemoryPresenter.h"
#include "HVFramework/Platform/2D/PlatformWindow.h"
#include "HVFramework/Platform/Core/VirtualClock.h"
#include "HVFramework/Renderer/LFont.h"
#include "tests/support/TestFonts.h"
#include "tests/support/TestImages.h"
#include "tests/support/ThrownMessage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace HV {
namespace {

using ::testing::HasSubstr;

constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kGreen = 0xFF00FF00;

// A 10 x 10 image whose every pixel differs: tiling mistakes show.
uint32_t Pattern(int32_t x, int32_t y) {
  return 0xFF000000u | uint32_t(x * 25) << 16 | uint32_t(y * 25) << 8 | 0x40;
}

class LGDIRendererTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { UseTestFonts(); }

  // A window context of the given size whose frames go to the memory presenter.
  RCPtr<LGDIRenderContextInfo> WindowContext(int32_t width, int32_t height) {
    presenter = Platform::MemoryPresenter::Create(width, height);
    window.presenter = presenter;
    RCPtr<LRenderContextInfo> context;
    EXPECT_EQ(renderer->InitRenderContextInfo({0, 0, width, height}, &window, false, context), S_OK);
    return DynamicCast<LGDIRenderContextInfo>(context);
  }
  RCPtr<LGDIRenderContextInfo> Offscreen(int32_t width, int32_t height) {
    RCPtr<LRenderContextInfo> context;
    EXPECT_EQ(renderer->InitRenderContextInfo({0, 0, width, height}, nullptr, true, context), S_OK);
    return DynamicCast<LGDIRenderContextInfo>(context);
  }
  static uint32_t PixelOf(const LGDIRenderContextInfo& context, int32_t x, int32_t y) {
    return context.GetDrawingSurface().GetStraightPixel(x, y);
  }

  RCPtr<LGDIRenderer> renderer = LGDIRenderer::Create();
  RCPtr<Platform::MemoryPresenter> presenter;
  PlatformWindow window;
};

TEST_F(LGDIRendererTest, IsKindOneOfCreate) {
  RCPtr<LRenderer> created = LRenderer::Create(1, {}, nullptr);
  ASSERT_TRUE(created);
  EXPECT_EQ(created->GetRendererType(), 1);
  EXPECT_TRUE(DynamicCast<LGDIRenderer>(created));
  EXPECT_EQ(Offscreen(5, 5)->GetMaxViewportDims(), (std::pair<int, int>{4096, 4096}));
}

TEST_F(LGDIRendererTest, TileByCopiesEqualsTileByTextureBrush) {
  RCPtr<LBitmap> bitmap = HV::Test::MakeBitmap("TILE_PATTERN_PNG", 10, 10, Pattern);
  ASSERT_TRUE(bitmap);
  for (int32_t size : {25, 40}) {
    RCPtr<LGDIRenderContextInfo> pictures[2];
    const TileMethod methods[2] = {TileMethod::Copies, TileMethod::TextureBrush};
    for (int i = 0; i < 2; ++i) {
      RCPtr<LGDIRenderer> own = LGDIRenderer::Create();
      own->SetTileMethod(methods[i]);
      RCPtr<LRenderContextInfo> context;
      own->InitRenderContextInfo({0, 0, 50, 50}, nullptr, true, context);
      own->RenderStart(context);
      own->DrawBitmap(bitmap, {3, 4, size, size}, ResizeType::Tile);
      own->RenderFinish(context);
      pictures[i] = DynamicCast<LGDIRenderContextInfo>(context);
    }
    for (int32_t y = 0; y < 50; ++y)
      for (int32_t x = 0; x < 50; ++x) {
        const bool isInside = x >= 3 && x < 3 + size && y >= 4 && y < 4 + size;
        const uint32_t expected = isInside ? Pattern((x - 3) % 10, (y - 4) % 10) : 0;
        ASSERT_EQ(PixelOf(*pictures[0], x, y), expected) << "copies at " << x << "," << y << " size " << size;
        ASSERT_EQ(PixelOf(*pictures[1], x, y), expected) << "brush at " << x << "," << y << " size " << size;
      }
  }
}

TEST_F(LGDIRendererTest, CachedBitmapIsReusedAtAnotherPositionButNotForAnotherResizeType) {
  RCPtr<LBitmap> bitmap = HV::Test::MakeBitmap("REUSED_PNG", 10, 10, Pattern);
  RCPtr<LGDIRenderContextInfo> context = Offscreen(100, 100);
  renderer->RenderStart(context);
  renderer->DrawBitmap(bitmap, {0, 0, 20, 20}, ResizeType::Tile);
  renderer->DrawBitmap(bitmap, {50, 60, 20, 20}, ResizeType::Tile);
  EXPECT_EQ(renderer->GetCachedBitmapBuilds(), 1u);
  renderer->DrawBitmap(bitmap, {0, 30, 20, 20}, ResizeType::Stretch);
  EXPECT_EQ(renderer->GetCachedBitmapBuilds(), 2u);
  renderer->RenderFinish(context);
  EXPECT_EQ(PixelOf(*context, 50 + 13, 60 + 17), Pattern(3, 7));
  EXPECT_EQ(PixelOf(*context, 13, 17), Pattern(3, 7));
  // Stretched to twice the size: not the tiled picture.
  EXPECT_NE(PixelOf(*context, 13, 30 + 17), Pattern(3, 7));
}

TEST_F(LGDIRendererTest, CenterPlacesTheSourceAtHalfTheDifference) {
  RCPtr<LBitmap> bitmap = LBitmap::CreateFilledBitmap(10, 10, Color{1, 0, 0, 1});
  RCPtr<LGDIRenderContextInfo> context = Offscreen(40, 40);
  renderer->RenderStart(context);
  renderer->DrawBitmap(bitmap, {0, 0, 30, 20}, ResizeType::Center);
  renderer->RenderFinish(context);
  EXPECT_EQ(PixelOf(*context, 9, 4), 0u);
  EXPECT_EQ(PixelOf(*context, 10, 5), kRed);
  EXPECT_EQ(PixelOf(*context, 19, 14), kRed);
  EXPECT_EQ(PixelOf(*context, 20, 15), 0u);
}

TEST_F(LGDIRendererTest, DrawBitmapErrors) {
  RCPtr<LBitmap> bitmap = LBitmap::CreateFilledBitmap(4, 4, Color{1, 0, 0, 1});
  EXPECT_THAT(HV::Test::ThrownMessage([&] {
                renderer->DrawBitmap(bitmap, {0, 0, 4, 4}, ResizeType::Stretch);
              }),
              HasSubstr("Runtime Error : HV::LGDIRenderer::DrawBitmap : "));
  RCPtr<LGDIRenderContextInfo> context = Offscreen(10, 10);
  renderer->RenderStart(context);
  EXPECT_THAT(
      HV::Test::ThrownMessage([&] {
        renderer->DrawBitmap(bitmap, {0, 0, 4, 4}, ResizeType(3));
      }),
      HasSubstr(
          "Invalid Argument : Invalid ResizeType passed to DrawBitmap. : HV::LGDIRenderer::DrawBitmap"));
  renderer->DrawBitmap(nullptr, {0, 0, 4, 4}, ResizeType::Stretch);
  renderer->DrawBitmap(bitmap, {0, 0, 0, 4}, ResizeType::Tile);
  renderer->RenderFinish(context);
}

TEST_F(LGDIRendererTest, BlitSurfaceMovesTheOffscreenPicture) {
  RCPtr<LGDIRenderContextInfo> context = Offscreen(20, 20);
  renderer->RenderStart(context);
  for (int32_t y = 0; y < 20; ++y) renderer->FillRect({0, y, 20, 1}, Color{0, float(y) / 19, 0, 1}, false);
  renderer->RenderFinish(context);
  std::vector<uint32_t> before;
  for (int32_t y = 0; y < 20; ++y) before.push_back(PixelOf(*context, 5, y));

  EXPECT_EQ(renderer->BlitSurface(context, {0, -10}), S_OK);
  for (int32_t y = 0; y < 10; ++y) EXPECT_EQ(PixelOf(*context, 5, y), before[y + 10]) << y;
  for (int32_t y = 10; y < 20; ++y) EXPECT_EQ(PixelOf(*context, 5, y), 0u) << y;

  EXPECT_EQ(renderer->BlitSurface(WindowContext(20, 20), {0, -10}), E_INVALIDARG);
  EXPECT_EQ(renderer->BlitSurface(nullptr, {0, 0}), E_INVALIDARG);
}

TEST_F(LGDIRendererTest, DrawSurfaceCopiesARectangleOfAnOffscreenContext) {
  RCPtr<LGDIRenderContextInfo> surface = Offscreen(10, 10);
  renderer->RenderStart(surface);
  renderer->FillRect({2, 2, 3, 3}, Color{1, 0, 0, 1}, true);
  renderer->RenderFinish(surface);
  RCPtr<LGDIRenderContextInfo> target = Offscreen(30, 30);
  renderer->RenderStart(target);
  EXPECT_EQ(renderer->DrawSurface(surface, {10, 10}, {2, 2, 3, 3}), S_OK);
  EXPECT_EQ(renderer->DrawSurface(target, {0, 0}, {0, 0, 1, 1}), S_OK);
  EXPECT_EQ(renderer->DrawSurface(WindowContext(5, 5), {0, 0}, {0, 0, 1, 1}), E_INVALIDARG);
  renderer->RenderFinish(target);
  EXPECT_EQ(PixelOf(*target, 10, 10), kRed);
  EXPECT_EQ(PixelOf(*target, 12, 12), kRed);
  EXPECT_EQ(PixelOf(*target, 13, 13), 0u);
}

TEST_F(LGDIRendererTest, PresentsExactlyTheUpdateRectangles) {
  RCPtr<LGDIRenderContextInfo> context = WindowContext(50, 40);
  context->GetUpdateRegion().AddRect({5, 5, 15, 10});
  context->GetUpdateRegion().AddRect({30, 20, 40, 30});
  std::vector<RectT<int32_t>> expected;
  context->GetUpdateRegion().ToRectArray(expected);
  std::reverse(expected.begin(), expected.end());
  renderer->RenderStart(context);
  renderer->FillRect({0, 0, 50, 40}, Color{1, 0, 0, 1}, true);
  renderer->RenderFinish(context);
  ASSERT_EQ(presenter->GetPresentedRects().size(), 1u);
  EXPECT_EQ(presenter->GetPresentedRects()[0], expected);
  int32_t shown = 0;
  for (int32_t y = 0; y < 40; ++y)
    for (int32_t x = 0; x < 50; ++x) shown += presenter->GetPixel(x, y) == kRed;
  EXPECT_EQ(shown, 10 * 5 + 10 * 10);
  EXPECT_EQ(presenter->GetPixel(5, 5), kRed);
  EXPECT_EQ(presenter->GetPixel(4, 5), 0u);
}

TEST_F(LGDIRendererTest, OutlineCoversOneMorePixelEachWay) {
  RCPtr<LGDIRenderContextInfo> context = Offscreen(30, 30);
  renderer->RenderStart(context);
  renderer->Translate({2, 1});
  renderer->DrawRect({5, 5, 10, 6}, Color{0, 1, 0, 1}, 1);
  renderer->Translate({-2, -1});
  renderer->RenderFinish(context);
  EXPECT_EQ(PixelOf(*context, 7, 6), kGreen);
  EXPECT_EQ(PixelOf(*context, 17, 12), kGreen);
  EXPECT_EQ(PixelOf(*context, 17, 6), kGreen);
  EXPECT_EQ(PixelOf(*context, 18, 12), 0u);
  EXPECT_EQ(PixelOf(*context, 17, 13), 0u);
  EXPECT_EQ(PixelOf(*context, 6, 6), 0u);
}

TEST_F(LGDIRendererTest, FillWithoutBlendIgnoresTheClipAndStaysInTheSurface) {
  RCPtr<LGDIRenderContextInfo> context = Offscreen(20, 20);
  renderer->RenderStart(context);
  renderer->PushChildRect({5, 5}, {0, 0, 2, 2}, nullptr, true);
  renderer->FillRect({-1000000, -1000000, 2000000, 2000000}, Color{0, 1, 0, 0.5f}, false);
  renderer->FillRect({0, 0, 20, 20}, Color{1, 0, 0, 1}, true);
  renderer->PopState();
  renderer->RenderFinish(context);
  EXPECT_EQ(PixelOf(*context, 0, 0), 0x8000FF00u);
  EXPECT_EQ(PixelOf(*context, 19, 19), 0x8000FF00u);
  EXPECT_EQ(PixelOf(*context, 6, 6), kRed);
  EXPECT_EQ(PixelOf(*context, 7, 7), 0x8000FF00u);
}

TEST_F(LGDIRendererTest, ClipOfAChildFollowsTheStateStack) {
  RCPtr<LGDIRenderContextInfo> context = Offscreen(40, 40);
  renderer->RenderStart(context);
  renderer->PushState();
  renderer->PushChildRect({10, 10}, {0, 0, 5, 5}, nullptr, true);
  renderer->FillRect({-10, -10, 100, 100}, Color{1, 0, 0, 1}, true);
  renderer->PopState();
  renderer->FillRect({30, 30, 5, 5}, Color{0, 1, 0, 1}, true);
  renderer->PopState();
  renderer->RenderFinish(context);
  EXPECT_EQ(PixelOf(*context, 10, 10), kRed);
  EXPECT_EQ(PixelOf(*context, 14, 14), kRed);
  EXPECT_EQ(PixelOf(*context, 15, 15), 0u);
  EXPECT_EQ(PixelOf(*context, 9, 9), 0u);
  EXPECT_EQ(PixelOf(*context, 32, 32), kGreen);
}

TEST_F(LGDIRendererTest, MissingFamilyMeasuresWithTheSansSerifFallback) {
  RCPtr<LFont> missing = LFont::FindOrCreate(u"No Such Family", 12, LFont::Regular);
  RCPtr<LFont> fallback = LFont::FindOrCreate(u"DejaVu Sans", 12, LFont::Regular);
  int32_t h1 = -1, a1 = -1, d1 = -1, h2 = -1, a2 = -1, d2 = -1;
  EXPECT_EQ(renderer->GetFontMetrics(missing, h1, a1, d1), S_OK);
  EXPECT_EQ(renderer->GetFontMetrics(fallback, h2, a2, d2), S_OK);
  EXPECT_EQ(std::tie(h1, a1, d1), std::tie(h2, a2, d2));
  EXPECT_EQ(renderer->MeasureText(u"Tarsel", missing), renderer->MeasureText(u"Tarsel", fallback));
}

TEST_F(LGDIRendererTest, MetricsFollowTheFontTables) {
  // Liberation Sans: 2048 units a em, ascent 1854, descent 434, line spacing 2355.
  struct Row {
    float size;
    int32_t height, ascent, descent;
  } rows[] = {{12, 19, -15, 4}, {9, 14, -11, 3}, {20, 31, -25, 6}};
  for (const Row& row : rows) {
    int32_t height = 0, ascent = 0, descent = 0;
    EXPECT_EQ(renderer->GetFontMetrics(LFont::FindOrCreate(u"Liberation Sans", row.size, 0), height, ascent,
                                       descent),
              S_OK);
    EXPECT_EQ(height, row.height) << row.size;
    EXPECT_EQ(ascent, row.ascent) << row.size;
    EXPECT_EQ(descent, row.descent) << row.size;
  }
  const RectT<float> empty = renderer->MeasureText(u"", LFont::FindOrCreate(u"Liberation Sans", 12, 0));
  EXPECT_EQ(empty, (RectT<float>{}));
}

TEST_F(LGDIRendererTest, TextInkLiesInsideTheMeasuredWidth) {
  const char16_t* texts[] = {u"Hello, World", u"jjj///", u"W", u"Fader 12 — CC 74", u"  spaced  "};
  const char16_t* families[] = {u"Liberation Sans", u"Liberation Serif", u"DejaVu Sans Mono",
                                u"Missing Face"};
  for (const char16_t* family : families)
    for (int32_t style = 0; style < 4; ++style)
      for (const char16_t* text : texts) {
        RCPtr<LFont> font = LFont::FindOrCreate(family, 11, style);
        const RectT<float> measured = renderer->MeasureText(text, font);
        RCPtr<LGDIRenderContextInfo> context = Offscreen(300, 40);
        renderer->RenderStart(context);
        renderer->DrawText(text, font, {20, 10}, Color{0, 0, 0, 1});
        renderer->RenderFinish(context);
        int32_t left = INT32_MAX, right = -1, top = INT32_MAX, bottom = -1;
        for (int32_t y = 0; y < 40; ++y)
          for (int32_t x = 0; x < 300; ++x)
            if (PixelOf(*context, x, y) >> 24)
              left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
              bottom = std::max(bottom, y);
        ASSERT_GE(right, 0);
        EXPECT_GE(left, 20);
        EXPECT_LT(right, 20 + measured.width) << "style " << style;
        EXPECT_GE(top, 10 - 1);
        EXPECT_LE(bottom, 10 + measured.height);
      }
}

TEST_F(LGDIRendererTest, PathsAreCachedUntilThePolylineChanges) {
  PolylineT<float> line;
  line.SetPoints({{2, 2}, {12, 2}, {12, 12}, {2, 12}});
  RCPtr<LGDIRenderContextInfo> context = Offscreen(40, 40);
  renderer->RenderStart(context);
  renderer->FillPolygon(line, Color{1, 0, 0, 1}, {0, 0}, {1, 1}, true);
  EXPECT_FALSE(line.IsChanged());
  line.SetPoints({{20, 20}, {30, 20}, {30, 30}, {20, 30}});
  renderer->FillPolygon(line, Color{0, 1, 0, 1}, {5, 5}, {1, 1}, true);
  renderer->DrawLineList(line, Color{0, 0, 1, 1}, {0, 0}, {0, 0}, true);  // a zero scale draws nothing
  renderer->RenderFinish(context);
  EXPECT_EQ(PixelOf(*context, 5, 5), kRed);
  EXPECT_EQ(PixelOf(*context, 30, 30), kGreen);
  EXPECT_EQ(PixelOf(*context, 22, 22), 0u);
}

TEST_F(LGDIRendererTest, OneCachedPathServesFillAndOutline) {
  PolylineT<float> square;
  square.SetPoints({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  RCPtr<LGDIRenderContextInfo> context = Offscreen(30, 30);
  renderer->RenderStart(context);
  renderer->FillPolygon(square, Color{1, 0, 0, 1}, {5, 5}, {1, 1}, true);
  renderer->DrawPolygonOutline(square, Color{0, 1, 0, 1}, {5, 5}, {1, 1}, true);
  renderer->RenderFinish(context);
  EXPECT_EQ(PixelOf(*context, 5, 5), kGreen);
  EXPECT_EQ(PixelOf(*context, 15, 15), kGreen);
  EXPECT_EQ(PixelOf(*context, 10, 10), kRed);
}

TEST_F(LGDIRendererTest, CachedBitmapsUnusedForFiveMinutesOfFramesAreReleased) {
  Platform::VirtualClock clock;
  Platform::IClock* previous = Platform::InstallClock(&clock);
  RCPtr<LGDIRenderer> own = LGDIRenderer::Create();
  RCPtr<LBitmap> used = LBitmap::CreateFilledBitmap(4, 4, Color{1, 0, 0, 1});
  RCPtr<LBitmap> unused = LBitmap::CreateFilledBitmap(4, 4, Color{0, 1, 0, 1});
  RCPtr<LRenderContextInfo> context;
  own->InitRenderContextInfo({0, 0, 20, 20}, nullptr, true, context);
  const auto frame = [&](std::initializer_list<LBitmap*> bitmaps, uint32_t after) {
    own->RenderStart(context);
    for (LBitmap* bitmap : bitmaps)
      own->DrawBitmap(RCPtr<LBitmap>(bitmap), {0, 0, 8, 8}, ResizeType::Stretch);
    clock.Advance(after);
    own->RenderFinish(context);
  };
  frame({used.Get(), unused.Get()}, 300001);  // the first purge marks what exists
  EXPECT_EQ(own->GetCachedBitmapBuilds(), 2u);
  frame({used.Get()}, 300001);  // the last use came no later than the mark: kept
  frame({used.Get(), unused.Get()}, 0);
  EXPECT_EQ(own->GetCachedBitmapBuilds(), 2u);
  frame({used.Get()}, 300001);
  frame({used.Get()}, 300001);  // unused through a whole period: released
  frame({used.Get(), unused.Get()}, 0);
  EXPECT_EQ(own->GetCachedBitmapBuilds(), 3u);
  Platform::InstallClock(previous);
}

}  // namespace
}  // namespace HV
