// Finding the control under the pointer in a tree of 1,000 controls (32
// panels of 30 children in a grid under one root) against a plain linear scan
// of the same controls' rectangles in root coordinates, topmost first. The
// ratio is what the tree walk costs (or saves) per lookup against the scan.
#include "HVFramework/ControlBase/Control/LControl.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace HV {
namespace {

constexpr int kPanels = 32;
constexpr int kChildrenPerPanel = 30;
constexpr int kControls = 1 + kPanels * (1 + kChildrenPerPanel);
constexpr double kChildWidth = 20, kChildHeight = 10;
constexpr double kPanelWidth = 6 * kChildWidth, kPanelHeight = 5 * kChildHeight;

// "prefix<number>", built without a temporary concatenation.
StringW Numbered(const char* prefix, int number) {
  std::string text(prefix);
  text.append(std::to_string(number));
  return StringW(text.c_str());
}

struct Tree {
  Tree() {
    root->SetRect({0, 0, 8 * kPanelWidth, 4 * kPanelHeight});
    rects.push_back(root->GetRect());
    for (int p = 0; p < kPanels; ++p) {
      LControl* panel = new LControl(root.Get(), Numbered("panel", p));
      const LControl::Rect panelRect{(p % 8) * kPanelWidth, (p / 8) * kPanelHeight, kPanelWidth, kPanelHeight};
      panel->SetRect(panelRect);
      rects.push_back(panelRect);
      for (int c = 0; c < kChildrenPerPanel; ++c) {
        LControl* child = new LControl(panel, Numbered("c", c));
        const LControl::Rect childRect{(c % 6) * kChildWidth, (c / 6) * kChildHeight, kChildWidth - 1, kChildHeight - 1};
        child->SetRect(childRect);
        rects.push_back({panelRect.x + childRect.x, panelRect.y + childRect.y, childRect.width, childRect.height});
      }
    }
    // Points spread over the whole root, some on gaps between children.
    for (int i = 0; i < 256; ++i)
      points.push_back({(i * 37 % 960) + 0.5, (i * 53 % 200) + 0.5});
  }
  RCPtr<LControl> root{new LControl(nullptr, StringW(u"root"))};
  std::vector<LControl::Rect> rects;  // in attachment order: later ones lie on top
  std::vector<LControl::Point> points;
};

void BM_FindControlAtPointInTree(benchmark::State& state) {
  Tree tree;
  size_t next = 0;
  for (auto _ : state) {
    LControl::Point local;
    RCPtr<LControl> found = tree.root->FindControlAtPoint(tree.points[next++ % tree.points.size()], local);
    benchmark::DoNotOptimize(found.Get());
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["controls"] = kControls;
}
BENCHMARK(BM_FindControlAtPointInTree);

// The plain alternative: every rectangle tested, the topmost hit wins.
void BM_LinearScanOfRects(benchmark::State& state) {
  Tree tree;
  size_t next = 0;
  for (auto _ : state) {
    const LControl::Point& point = tree.points[next++ % tree.points.size()];
    int found = -1;
    for (int i = static_cast<int>(tree.rects.size()); i-- > 0;) {
      const LControl::Rect& r = tree.rects[static_cast<size_t>(i)];
      if (point.x >= r.x && point.x < r.x + r.width && point.y >= r.y && point.y < r.y + r.height) {
        found = i;
        break;
      }
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["controls"] = kControls;
}
BENCHMARK(BM_LinearScanOfRects);

}  // namespace
}  // namespace HV
