// Building an update region from 1,000 random rectangles (added, with every
// fourth subtracted): the region's rectangle list against a plain per-pixel
// coverage grid of the same 1024 x 1024 area.
#include "HVFramework/Renderer/LRectRegion.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

constexpr int kSide = 1024;
constexpr int kRects = 1000;

struct Step {
  HV::RegionRect rect;
  bool isSubtract;
};

// Rectangles of maxSide / 8 to maxSide pixels a side: small ones like
// invalidated controls, large ones like invalidated panels.
std::vector<Step> MakeSteps(int maxSide) {
  std::mt19937 random(1000);
  std::uniform_int_distribution<int> position(0, kSide - maxSide), size(maxSide / 8, maxSide);
  std::vector<Step> steps;
  for (int i = 0; i < kRects; ++i) {
    const int x = position(random), y = position(random);
    steps.push_back({{x, y, x + size(random), y + size(random)}, i % 4 == 3});
  }
  return steps;
}

void RegionList(benchmark::State& state) {
  const std::vector<Step> steps = MakeSteps(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    HV::LRectRegion region;
    for (const Step& s : steps) {
      if (s.isSubtract)
        region.SubtractRect(s.rect);
      else
        region.AddRect(s.rect);
    }
    state.counters["rects"] = region.GetCount();
  }
}
BENCHMARK(RegionList)->Arg(64)->Arg(512)->Unit(benchmark::kMicrosecond);

void CoverageGrid(benchmark::State& state) {
  const std::vector<Step> steps = MakeSteps(static_cast<int>(state.range(0)));
  std::vector<uint8_t> grid(kSide * kSide);
  for (auto _ : state) {
    std::fill(grid.begin(), grid.end(), 0);
    for (const Step& s : steps) {
      const uint8_t value = s.isSubtract ? 0 : 1;
      for (int y = s.rect.top; y < s.rect.bottom; ++y)
        for (int x = s.rect.left; x < s.rect.right; ++x) grid[y * kSide + x] = value;
    }
    benchmark::DoNotOptimize(grid.data());
  }
}
BENCHMARK(CoverageGrid)->Arg(64)->Arg(512)->Unit(benchmark::kMicrosecond);

}  // namespace
