// The OpenGL renderer on an offscreen (OSMesa) context: a window frame of
// bitmaps, fills and text against the same bitmap quads drawn with plain GL
// calls, and filling a glyph atlas against a plain copy of the same glyphs.
#include "HVFramework/Platform/OSMesa/OSMesaGLContext.h"
#include "HVFramework/Renderer/FontRenderer/LFreetypeFontRenderer.h"
#include "HVFramework/Renderer/OpenGL/GlyphAtlas.h"
#include "HVFramework/Renderer/OpenGL/LGLGlyphRenderer.h"
#include "HVFramework/Renderer/OpenGL/LGLRenderer.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

using namespace HV;

constexpr int kWidth = 1280, kHeight = 800, kBitmaps = 200, kLabels = 100, kGlyphs = 2000;

// 2,000 fake glyphs of 6..15 x 8..19 pixels.
std::vector<GlyphCoverage> FakeGlyphs() {
  std::vector<GlyphCoverage> glyphs;
  for (int i = 0; i < kGlyphs; ++i) {
    const int w = 6 + i % 10, h = 8 + i % 12;
    glyphs.push_back({w, h, w, std::vector<uint8_t>(static_cast<size_t>(w) * h, uint8_t(i))});
  }
  return glyphs;
}

void BM_GlyphAtlasFill(benchmark::State& state) {
  const auto glyphs = FakeGlyphs();
  for (auto _ : state) {
    GlyphAtlas atlas(14);
    int32_t x, y;
    for (const GlyphCoverage& g : glyphs) atlas.Place(&g, x, y);
    benchmark::DoNotOptimize(atlas.GetPixels());
  }
  state.SetItemsProcessed(state.iterations() * kGlyphs);
}
BENCHMARK(BM_GlyphAtlasFill);

// The plain alternative: the same bytes appended to one buffer, no packing.
void BM_PlainGlyphCopy(benchmark::State& state) {
  const auto glyphs = FakeGlyphs();
  for (auto _ : state) {
    std::vector<uint8_t> buffer;
    for (const GlyphCoverage& g : glyphs) buffer.insert(buffer.end(), g.bytes.begin(), g.bytes.end());
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetItemsProcessed(state.iterations() * kGlyphs);
}
BENCHMARK(BM_PlainGlyphCopy);

// The same rows copied into a zeroed buffer of the atlas's final size, placed
// side by side in rows of 512 without any bookkeeping.
void BM_PlainGlyphCopyIntoAtlasSizedBuffer(benchmark::State& state) {
  const auto glyphs = FakeGlyphs();
  int32_t height = 0;
  {
    GlyphAtlas atlas(14);
    int32_t x, y;
    for (const GlyphCoverage& g : glyphs) atlas.Place(&g, x, y);
    height = atlas.GetHeight();
  }
  for (auto _ : state) {
    std::vector<uint8_t> buffer(static_cast<size_t>(GlyphAtlas::kWidth) * height);
    int32_t x = 0, y = 0;
    for (const GlyphCoverage& g : glyphs) {
      if (x + g.width + 2 >= GlyphAtlas::kWidth) x = 0, y += 22;
      for (int32_t row = 0; row < g.rows; ++row)
        std::memcpy(&buffer[static_cast<size_t>(y + 1 + row) * GlyphAtlas::kWidth + x + 1],
                    &g.bytes[row * g.pitch], g.width);
      x += g.width + 2;
    }
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetItemsProcessed(state.iterations() * kGlyphs);
}
BENCHMARK(BM_PlainGlyphCopyIntoAtlasSizedBuffer);

struct Scene {
  Scene() {
    Platform::UseOSMesaByDefault();
    RCPtr<LGLGlyphRenderer> glyphs = LGLGlyphRenderer::Make();
    fonts = LFreetypeFontRenderer::Make(glyphs, glyphs, {"/usr/share/fonts/truetype/liberation2"},
                                        u"Liberation Sans");
    renderer = LGLRenderer::Create(nullptr, fonts);
    renderer->InitRenderContextInfo({0, 0, kWidth, kHeight}, nullptr, false, window);
    bitmap = LBitmap::CreateFilledBitmap(48, 32, Color{0.2f, 0.4f, 0.8f, 0.9f});
  }
  RectT<int32_t> BitmapRect(int i) const {
    return {(i * 61) % (kWidth - 48), (i * 37) % (kHeight - 32), 48, 32};
  }

  RCPtr<LFreetypeFontRenderer> fonts;
  RCPtr<LGLRenderer> renderer;
  RCPtr<LRenderContextInfo> window;
  RCPtr<LBitmap> bitmap;
  FontKey font = FontKey::Make(u"Liberation Sans", 11, 0);
};

// A frame of 200 bitmaps and state.range(0) text labels.
void BM_RendererFrame(benchmark::State& state) {
  Scene scene;
  LGLRenderer& r = *scene.renderer;
  const auto labels = static_cast<int>(state.range(0));
  for (auto _ : state) {
    r.RenderStart(scene.window);
    r.FillRect({0, 0, kWidth, kHeight}, Color{0.9f, 0.9f, 0.9f, 1}, true);
    for (int i = 0; i < kBitmaps; ++i) r.DrawBitmap(scene.bitmap, scene.BitmapRect(i), ResizeType::Stretch);
    for (int i = 0; i < labels; ++i)
      r.DrawTextWithKey(u"Label text 123", scene.font, {(i * 97) % 1100, (i * 53) % 780}, Color{0, 0, 0, 1});
    r.RenderFinish(scene.window);
    glFinish();
  }
}
BENCHMARK(BM_RendererFrame)->Arg(kLabels)->Arg(0)->Unit(benchmark::kMillisecond);

// The same background and bitmap quads with plain GL calls and one texture.
void BM_PlainGLBitmaps(benchmark::State& state) {
  Scene scene;
  auto context = Platform::CreateOSMesaGLContext();
  context->MakeCurrent(kWidth, kHeight);
  glViewport(0, 0, kWidth, kHeight);
  glMatrixMode(GL_PROJECTION);
  glOrtho(0, kWidth, kHeight, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  std::vector<uint8_t> pixels(64 * 32 * 4, 200);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 64, 32, 0, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
  for (auto _ : state) {
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.9f, 0.9f, 0.9f, 1);
    glRectf(0, 0, kWidth, kHeight);
    glEnable(GL_TEXTURE_2D);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    for (int i = 0; i < kBitmaps; ++i) {
      const RectT<int32_t> d = scene.BitmapRect(i);
      glTexCoord2f(0, 0), glVertex2i(d.x, d.y);
      glTexCoord2f(0, 1), glVertex2i(d.x, d.y + d.height);
      glTexCoord2f(0.75f, 1), glVertex2i(d.x + d.width, d.y + d.height);
      glTexCoord2f(0.75f, 0), glVertex2i(d.x + d.width, d.y);
    }
    glEnd();
    glFinish();
  }
  glDeleteTextures(1, &texture);
  context->ReleaseCurrent();
}
BENCHMARK(BM_PlainGLBitmaps)->Unit(benchmark::kMillisecond);

}  // namespace
