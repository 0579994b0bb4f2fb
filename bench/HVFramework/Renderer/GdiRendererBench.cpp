// The GDI+-style renderer against plain Cairo drawing of the same scene, in
// the same run: a full 1280 x 800 repaint of 200 bitmap parts and 100 text
// labels, a partial repaint of 10 dirty rectangles, a cached against a first
// DrawBitmap, and measuring 1,000 labels.
//
// The plain alternatives use Cairo directly: this file is a measuring harness
// beside the program, not part of it.

#include "HVFramework/Platform/2D/MemoryPresenter.h"
#include "HVFramework/Platform/2D/PlatformWindow.h"
#include "HVFramework/Renderer/Gdi/LGDIRenderer.h"
#include "HVFramework/Renderer/LFont.h"
#include "HVFramework/Utilities/Graphics/BitmapImage.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace HV {
namespace {

constexpr int32_t kWidth = 1280;
constexpr int32_t kHeight = 800;
constexpr int kParts = 200;
constexpr int kLabels = 100;

void UseProjectFonts() { setenv("FONTCONFIG_FILE", HV_BENCH_FONTS_CONF, 1); }

// One part of the scene: a bitmap stretched into a rectangle, or a label.
struct Part {
  int image;
  RectT<int32_t> rect;
};
struct Label {
  std::u16string text;
  std::string utf8;
  PointT<int32_t> at;
};

// 20 different 32 x 32 images, 200 parts of 48 x 48 in a grid, 100 labels.
struct Scene {
  Scene() {
    for (int i = 0; i < 20; ++i) {
      Color c{float(i % 5) / 4, float(i % 4) / 3, float(i % 3) / 2, 1};
      images.push_back(LBitmap::CreateFilledBitmap(32, 32, c));
    }
    for (int i = 0; i < kParts; ++i)
      parts.push_back({i % 20, {20 + (i % 20) * 62, 20 + (i / 20) * 56, 48, 48}});
    for (int i = 0; i < kLabels; ++i) {
      Label label;
      const std::string text = "Encoder " + std::to_string(i) + " CC " + std::to_string(i % 128);
      label.utf8 = text;
      label.text.assign(text.begin(), text.end());
      label.at = {20 + (i % 10) * 125, 600 + (i / 10) * 18};
      labels.push_back(label);
    }
  }
  std::vector<RCPtr<LBitmap>> images;
  std::vector<Part> parts;
  std::vector<Label> labels;
};

Scene& TheScene() {
  static Scene* scene = new Scene;
  return *scene;
}

bool Meets(const RectT<int32_t>& a, const RectT<int32_t>& b) {
  return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

void PaintThroughRenderer(LRenderer& renderer, const RCPtr<LFont>& font, const RectT<int32_t>* only) {
  Scene& scene = TheScene();
  for (const Part& part : scene.parts)
    if (!only || Meets(part.rect, *only))
      renderer.DrawBitmap(scene.images[part.image], part.rect, ResizeType::Stretch);
  for (const Label& label : scene.labels)
    if (!only || Meets({label.at.x, label.at.y, 120, 16}, *only))
      renderer.DrawText(StringW(label.text.c_str()), font, label.at, Color{1, 1, 1, 1});
}

// A full repaint through the renderer: into an offscreen context, or into
// a window context whose frame goes to a memory presenter.
void RendererRepaint(benchmark::State& state, bool isPresented) {
  UseProjectFonts();
  RCPtr<LGDIRenderer> renderer = LGDIRenderer::Create();
  PlatformWindow window{Platform::MemoryPresenter::Create(kWidth, kHeight)};
  RCPtr<LRenderContextInfo> context;
  renderer->InitRenderContextInfo({0, 0, kWidth, kHeight}, isPresented ? &window : nullptr, !isPresented,
                                  context);
  // All but one column: a whole-window update would make the surfaces anew each frame.
  if (isPresented) context->GetUpdateRegion().AddRect({0, 0, kWidth - 1, kHeight});
  RCPtr<LFont> font = LFont::FindOrCreate(u"Liberation Sans", 9, LFont::Regular);
  for (auto _ : state) {
    renderer->RenderStart(context);
    renderer->FillRect({0, 0, kWidth, kHeight}, Color{0.1f, 0.12f, 0.15f, 1}, false);
    PaintThroughRenderer(*renderer, font, nullptr);
    renderer->RenderFinish(context);
  }
}
void BM_FullRepaint_Renderer(benchmark::State& state) { RendererRepaint(state, false); }
BENCHMARK(BM_FullRepaint_Renderer)->Unit(benchmark::kMillisecond);

// The same scene straight with Cairo: each part's image scaled as it is
// drawn (bilinear), or scaled once beforehand and copied, text through one
// scaled font of the same face and size.
void PlainCairoRepaint(benchmark::State& state, bool isPrescaled) {
  UseProjectFonts();
  Scene& scene = TheScene();
  std::vector<cairo_surface_t*> sources;
  for (const RCPtr<LBitmap>& image : scene.images) {
    BitmapImage* pixels = image->GetGdiplusBitmap();
    BitmapImage::LockRecord lock;
    pixels->LockBits(image->GetRect(), lock);
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, lock.width, lock.height);
    cairo_surface_flush(s);
    for (int32_t y = 0; y < lock.height; ++y)
      std::memcpy(cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s),
                  lock.scan0 + y * lock.stride,
                  size_t(lock.width) * 4);  // opaque: straight and premultiplied agree
    cairo_surface_mark_dirty(s);
    pixels->UnlockBits();
    if (isPrescaled) {
      cairo_surface_t* scaled = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 48, 48);
      cairo_t* cr = cairo_create(scaled);
      cairo_scale(cr, 48 / 32.0, 48 / 32.0);
      cairo_set_source_surface(cr, s, 0, 0);
      cairo_paint(cr);
      cairo_destroy(cr);
      cairo_surface_destroy(s);
      s = scaled;
    }
    sources.push_back(s);
  }
  cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, kHeight);
  for (auto _ : state) {
    cairo_t* cr = cairo_create(target);
    cairo_set_source_rgb(cr, 0.1, 0.12, 0.15);
    cairo_paint(cr);
    for (const Part& part : scene.parts) {
      cairo_save(cr);
      cairo_translate(cr, part.rect.x, part.rect.y);
      if (!isPrescaled) cairo_scale(cr, part.rect.width / 32.0, part.rect.height / 32.0);
      cairo_set_source_surface(cr, sources[size_t(part.image)], 0, 0);
      cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
      cairo_paint(cr);
      cairo_restore(cr);
    }
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 12);
    cairo_set_source_rgb(cr, 1, 1, 1);
    for (const Label& label : scene.labels) {
      cairo_move_to(cr, label.at.x + 2, label.at.y + 11);
      cairo_show_text(cr, label.utf8.c_str());
    }
    cairo_destroy(cr);
    cairo_surface_flush(target);
  }
  cairo_surface_destroy(target);
  for (cairo_surface_t* s : sources) cairo_surface_destroy(s);
}
void BM_FullRepaint_PlainCairo(benchmark::State& state) { PlainCairoRepaint(state, false); }
void BM_FullRepaint_PlainCairoPrescaled(benchmark::State& state) { PlainCairoRepaint(state, true); }
BENCHMARK(BM_FullRepaint_PlainCairo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRepaint_PlainCairoPrescaled)->Unit(benchmark::kMillisecond);

// A window frame in which 10 rectangles of 100 x 60 were invalidated: each
// is drawn clipped (the parts that meet it), and only they are presented.
void BM_PartialRepaint_TenRectangles(benchmark::State& state) {
  UseProjectFonts();
  RCPtr<LGDIRenderer> renderer = LGDIRenderer::Create();
  PlatformWindow window{Platform::MemoryPresenter::Create(kWidth, kHeight)};
  RCPtr<LRenderContextInfo> context;
  renderer->InitRenderContextInfo({0, 0, kWidth, kHeight}, &window, false, context);
  RCPtr<LFont> font = LFont::FindOrCreate(u"Liberation Sans", 9, LFont::Regular);
  std::vector<RectT<int32_t>> dirty;
  for (int i = 0; i < 10; ++i) {
    const RectT<int32_t> r{30 + i * 120, 40 + (i % 3) * 250, 100, 60};
    dirty.push_back(r);
    context->GetUpdateRegion().AddRect({r.x, r.y, r.Right(), r.Bottom()});
  }
  for (auto _ : state) {
    renderer->RenderStart(context);
    for (const RectT<int32_t>& r : dirty) {
      renderer->PushState();
      renderer->SetClipRect({double(r.x), double(r.y), double(r.width), double(r.height)});
      renderer->FillRect(r, Color{0.1f, 0.12f, 0.15f, 1}, true);
      PaintThroughRenderer(*renderer, font, &r);
      renderer->PopState();
    }
    renderer->RenderFinish(context);
  }
}
BENCHMARK(BM_PartialRepaint_TenRectangles)->Unit(benchmark::kMillisecond);

void BM_FullRepaint_WindowPresented(benchmark::State& state) { RendererRepaint(state, true); }
BENCHMARK(BM_FullRepaint_WindowPresented)->Unit(benchmark::kMillisecond);

// DrawBitmap of a 64 x 64 image into 96 x 96: every call a cache hit, or
// every call a first drawing (1,000 sizes cycling through 256 cache entries).
void DrawBitmapBench(benchmark::State& state, bool isCached) {
  RCPtr<LGDIRenderer> renderer = LGDIRenderer::Create();
  RCPtr<LRenderContextInfo> context;
  renderer->InitRenderContextInfo({0, 0, 400, 400}, nullptr, true, context);
  RCPtr<LBitmap> image = LBitmap::CreateFilledBitmap(64, 64, Color{0.2f, 0.5f, 0.8f, 1});
  renderer->RenderStart(context);
  int32_t i = 0;
  for (auto _ : state) {
    const int32_t size = isCached ? 96 : 96 + (i++ % 1000) / 10;
    const int32_t height = isCached ? 96 : 96 + (i % 10);
    renderer->DrawBitmap(image, {10, 10, size, height}, ResizeType::Stretch);
  }
  renderer->RenderFinish(context);
  state.counters["builds"] = double(renderer->GetCachedBitmapBuilds());
}
void BM_DrawBitmap_Cached(benchmark::State& state) { DrawBitmapBench(state, true); }
void BM_DrawBitmap_First(benchmark::State& state) { DrawBitmapBench(state, false); }
BENCHMARK(BM_DrawBitmap_Cached)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawBitmap_First)->Unit(benchmark::kMicrosecond);

std::vector<StringW> Labels(std::vector<std::string>& utf8) {
  std::vector<StringW> labels;
  for (int i = 0; i < 1000; ++i) {
    utf8.push_back("Preset " + std::to_string(i) + ": Pad " + std::to_string(i % 16) + " note " +
                   std::to_string(36 + i % 48));
    labels.emplace_back(utf8.back().c_str());
  }
  return labels;
}

void BM_Measure1000Labels_Renderer(benchmark::State& state) {
  UseProjectFonts();
  RCPtr<LGDIRenderer> renderer = LGDIRenderer::Create();
  RCPtr<LFont> font = LFont::FindOrCreate(u"Liberation Sans", 9, LFont::Regular);
  std::vector<std::string> utf8;
  const std::vector<StringW> labels = Labels(utf8);
  for (auto _ : state)
    for (const StringW& label : labels) benchmark::DoNotOptimize(renderer->MeasureText(label, font));
}
BENCHMARK(BM_Measure1000Labels_Renderer)->Unit(benchmark::kMillisecond);

void BM_Measure1000Labels_PlainCairo(benchmark::State& state) {
  UseProjectFonts();
  std::vector<std::string> utf8;
  Labels(utf8);
  cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* cr = cairo_create(target);
  cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 12);
  cairo_scaled_font_t* font = cairo_get_scaled_font(cr);
  for (auto _ : state)
    for (const std::string& label : utf8) {
      cairo_text_extents_t extents;
      cairo_scaled_font_text_extents(font, label.c_str(), &extents);
      benchmark::DoNotOptimize(extents.x_advance);
    }
  cairo_destroy(cr);
  cairo_surface_destroy(target);
}
BENCHMARK(BM_Measure1000Labels_PlainCairo)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace HV
