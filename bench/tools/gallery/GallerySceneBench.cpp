// The gallery scene, a whole 800 x 600 frame, through the OpenGL renderer
// (kind 0, offscreen on OSMesa) against the 2-D renderer (kind 1, Cairo into
// a memory presenter), in the same run; the third benchmark draws both in
// each round and reports how many times the 2-D frame the OpenGL one takes.

#include "HVFramework/Platform/2D/MemoryPresenter.h"
#include "HVFramework/Platform/OSMesa/OSMesaGLContext.h"
#include "HVFramework/Platform/2D/PlatformWindow.h"
#include "HVFramework/Renderer/ApplicationRenderer.h"
#include "HVFramework/Renderer/OpenGL/LGLRenderer.h"
#include "tools/gallery/GalleryScene.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

namespace HV::Gallery {
namespace {

constexpr RectT<int32_t> kViewport{0, 0, GalleryScene::kWidth, GalleryScene::kHeight};

// One renderer of a kind with its window context, the scene and the frame count.
struct SceneTarget {
  explicit SceneTarget(int kind) {
    setenv("FONTCONFIG_FILE", HV_BENCH_FONTS_CONF, 1);
    Platform::SetGLContextFactory([](PlatformWindow*) { return Platform::CreateOSMesaGLContext(); });
    window.presenter = Platform::MemoryPresenter::Create(kViewport.width, kViewport.height);
    renderer = LRenderer::Create(kind, kViewport, &window);
    SetApplicationRenderer(renderer);
    renderer->InitRenderContextInfo(kViewport, &window, false, context);
    scene = std::make_unique<GalleryScene>();
  }
  ~SceneTarget() {
    scene.reset();
    context = nullptr;
    SetApplicationRenderer(nullptr);
  }

  void DrawFrame() {
    SetApplicationRenderer(renderer);
    context->GetUpdateRegion().Clear();
    context->GetUpdateRegion().AddRect({0, 0, kViewport.width, kViewport.height});
    renderer->RenderStart(context);
    scene->Paint(*renderer, frame++);
    renderer->RenderFinish(context);
    // GL draws asynchronously: reading a pixel back waits for the frame.
    if (auto* gl = dynamic_cast<LGLRenderer*>(renderer.Get())) {
      std::vector<uint8_t> pixel;
      gl->ReadPixels({0, 0, 1, 1}, pixel);
    }
  }

  PlatformWindow window;
  RCPtr<LRenderer> renderer;
  RCPtr<LRenderContextInfo> context;
  std::unique_ptr<GalleryScene> scene;
  uint32_t frame = 0;
};

void BM_GallerySceneOpenGL(benchmark::State& state) {
  SceneTarget target(LRenderer::OpenGL);
  for (auto _ : state) target.DrawFrame();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GallerySceneOpenGL)->Unit(benchmark::kMillisecond);

void BM_GalleryScene2D(benchmark::State& state) {
  SceneTarget target(LRenderer::GdiPlus);
  for (auto _ : state) target.DrawFrame();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GalleryScene2D)->Unit(benchmark::kMillisecond);

// Both renderers frame by frame: the time is the OpenGL frame's, and
// "gl_over_2d" the ratio of the two over the whole run.
void BM_GallerySceneOpenGLAgainst2D(benchmark::State& state) {
  SceneTarget opengl(LRenderer::OpenGL);
  SceneTarget cairo(LRenderer::GdiPlus);
  using Clock = std::chrono::steady_clock;
  double glSeconds = 0, cairoSeconds = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    opengl.DrawFrame();
    const auto middle = Clock::now();
    cairo.DrawFrame();
    const auto end = Clock::now();
    const double gl = std::chrono::duration<double>(middle - start).count();
    glSeconds += gl;
    cairoSeconds += std::chrono::duration<double>(end - middle).count();
    state.SetIterationTime(gl);
  }
  state.counters["2d_ms"] = benchmark::Counter(cairoSeconds * 1000, benchmark::Counter::kAvgIterations);
  state.counters["gl_over_2d"] = cairoSeconds > 0 ? glSeconds / cairoSeconds : 0;
}
BENCHMARK(BM_GallerySceneOpenGLAgainst2D)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace HV::Gallery
