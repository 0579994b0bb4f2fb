// Painting a root window whose tree holds 1,001 controls (40 rows of 24
// cells under one root, each control with a look and a filled rectangle of
// content), through a renderer that keeps the render state but draws
// nothing, so the figures are the framework's own cost:
// - one cell invalidated, then the update region painted;
// - the plain alternative: the whole window invalidated and painted.
// Compare the time per paint of the two: the ratio is what painting only
// the update region saves. "drawn" counts the content rectangles per paint.
#include "HVFramework/ControlBase/Control/LControl.h"
#include "HVFramework/ControlBase/Control/RootWindow/LRootWindow.h"
#include "HVFramework/Renderer/LD3D9Renderer.h"
#include "tests/support/FakeWindowHost.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace HV {
namespace {

constexpr int kRows = 40;
constexpr int kCells = 24;

// Keeps the render state like every renderer and counts the rectangles
// filled; draws nothing.
class CountingRenderer : public LD3D9Renderer {
 public:
  static RCPtr<CountingRenderer> Create() { return RCPtr<CountingRenderer>(new CountingRenderer); }
  HResult RenderStart(const RCPtr<LRenderContextInfo>& context) override {
    return LRenderer::RenderStart(context);
  }
  HResult RenderFinish(const RCPtr<LRenderContextInfo>& context) override {
    return LRenderer::RenderFinish(context);
  }
  void FillRect(const RectT<int32_t>&, const Color&, bool) override { ++filled; }

  int64_t filled = 0;
};

class FilledControl : public LControl {
 public:
  FilledControl(LControl* parent, const std::string& name) : LControl(parent, StringW(name.c_str())) {
    SelectLook(AddLook(LLook::Create()));
  }
  int32_t DrawContent(const RCPtr<LRenderer>& renderer) override {
    const Rect& r = GetRect();
    renderer->FillRect({0, 0, int32_t(r.width), int32_t(r.height)}, Color{0.5f, 0.5f, 0.5f, 1.0f}, true);
    return 0;
  }
};

struct PaintSetup {
  PaintSetup() {
    host.clientRect = {0, 0, 800, 800};
    const RCPtr<LControl> root(new FilledControl(nullptr, "root"));
    for (int r = 0; r < kRows; ++r) {
      RCPtr<LControl> row(new FilledControl(root.Get(), "row" + std::to_string(r)));
      row->SetRect({0, 20.0 * r, 800, 20});
      for (int c = 0; c < kCells; ++c) {
        RCPtr<LControl> cell(new FilledControl(row.Get(), "cell" + std::to_string(c)));
        cell->SetRect({33.0 * c, 1, 32, 18});
        cells.push_back(cell);
      }
    }
    window->SetRootControl(root);
    window->SetRenderer(renderer);
    renderer->InitRenderContextInfo({0, 0, 800, 800}, nullptr, false, context);
    renderer->RenderStart(context);
    window->Paint(window->TakeUpdateRegion());
  }
  ~PaintSetup() {
    renderer->RenderFinish(context);
    window->SetRootControl(nullptr);
  }

  Test::FakeWindowHost host;
  const RCPtr<LRootWindow> window = LRootWindow::Create(&host);
  const RCPtr<CountingRenderer> renderer = CountingRenderer::Create();
  RCPtr<LRenderContextInfo> context;
  std::vector<RCPtr<LControl>> cells;
};

void ReportDrawn(benchmark::State& state, const CountingRenderer& renderer) {
  state.counters["drawn"] = benchmark::Counter(double(renderer.filled) / double(state.iterations()));
}

void BM_PaintOneDirtyControl(benchmark::State& state) {
  PaintSetup setup;
  setup.renderer->filled = 0;
  size_t next = 0;
  for (auto _ : state) {
    LControl& cell = *setup.cells[next];
    next = (next + 97) % setup.cells.size();
    cell.Invalidate({0, 0, cell.GetRect().width, cell.GetRect().height}, 1);
    setup.window->Paint(setup.window->TakeUpdateRegion());
  }
  ReportDrawn(state, *setup.renderer);
}
BENCHMARK(BM_PaintOneDirtyControl);

void BM_PaintWholeTree(benchmark::State& state) {
  PaintSetup setup;
  setup.renderer->filled = 0;
  for (auto _ : state) {
    setup.window->InvalidateAll();
    setup.window->Paint(setup.window->TakeUpdateRegion());
  }
  ReportDrawn(state, *setup.renderer);
}
BENCHMARK(BM_PaintWholeTree);

}  // namespace
}  // namespace HV
