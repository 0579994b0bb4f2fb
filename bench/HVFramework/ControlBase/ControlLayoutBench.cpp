// Laying out a tree of 1,000 controls (32 rows of 30 under one root, each
// row below the one before, each control right of the one before and as
// wide as a share of the row):
// - built and laid out from a skin, against attaching the same tree by hand
//   and computing the same rectangles in a straight loop;
// - one layout pass after the root is resized, against the straight loop
//   alone.
// Each control's far edge is a share of the row's width, so a resize gives
// every control a new rectangle.
// Compare items per second of each pair: the ratio is the framework's cost
// per control.
#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"
#include "tests/support/MemoryXmlResourceSource.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

namespace HV {
namespace {

constexpr int kRows = 32;
constexpr int kPerRow = 30;
constexpr int kControls = 1 + kRows * (1 + kPerRow);
constexpr double kRowHeight = 24;

// The far edge of control c of a row, as a share of the row's width, as the
// skin writes it and as the plain loop reads it back.
std::string FarEdgeText(int c) { return std::to_string(0.03 * (c + 1)); }
const std::vector<float>& FarEdgeShares() {
  static const std::vector<float> shares = [] {
    std::vector<float> read;
    for (int c = 0; c < kPerRow; ++c) read.push_back(std::strtof(FarEdgeText(c).c_str(), nullptr));
    return read;
  }();
  return shares;
}

// Built by appending: GCC's -Wrestrict misreads "literal" + std::string here.
std::string Numbered(const char* prefix, int number) {
  std::string text(prefix);
  text.append(std::to_string(number));
  return text;
}

std::string LayoutSkin() {
  std::string body =
      "<Skins><Skin Name=\"S\"><SubControl Class=\"Bench.Control\" Name=\"root\" XSizeToControl=\"Client\" "
      "XSizeRel=\"1\" XSizeAbs=\"0\" YSizeToControl=\"Client\" YSizeRel=\"1\" YSizeAbs=\"0\">";
  for (int r = 0; r < kRows; ++r) {
    body += "<SubControl Class=\"Bench.Control\" Name=\"row" + std::to_string(r) + "\" LayoutOrder=\"" +
            std::to_string(r) + "\"";
    if (r > 0) body += " YPositionToControl=\"row" + std::to_string(r - 1) + "\" YPositionRel=\"1\"";
    body += " XSizeToControl=\"Client\" XSizeRel=\"1\" XSizeAbs=\"0\" YSizeAbs=\"24\">";
    for (int c = 0; c < kPerRow; ++c) {
      body += "<SubControl Class=\"Bench.Control\" Name=\"c" + std::to_string(c) + "\" LayoutOrder=\"" +
              std::to_string(c) + "\"";
      if (c > 0) body += " XPositionToControl=\"c" + std::to_string(c - 1) + "\" XPositionRel=\"1\"";
      body +=
          " XSizeToControl=\"Client\" XSizeRel=\"" + FarEdgeText(c) + "\" XSizeAbs=\"0\" YSizeAbs=\"20\"/>";
    }
    body += "</SubControl>";
  }
  body += "</SubControl></Skin></Skins>";
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Halvern_Skin_Definitions><Application Name=\"App\">" +
         body + "</Application></Halvern_Skin_Definitions>";
}

struct LayoutSetup {
  LayoutSetup() {
    factory.SetResourceSource(&resources);
    factory.SetBaseLocation(StringW(u"::"));
    resources.Add("SKIN", LayoutSkin());
    factory.LoadSkins(StringW(u"::SKIN"));
    factory.RegisterControlCreateFunction(StringW(u"Bench.Control"), &CreateControlOfClass<LControl>);
    SetApplicationControlFactory(&factory);
    SetApplicationWorkArea({0, 0, 800, 800});
  }
  ~LayoutSetup() {
    SetApplicationWorkArea({});
    SetApplicationControlFactory(nullptr);
  }
  Test::MemoryXmlResourceSource resources;
  LControlFactory factory{StringW(u"App")};
};

// The rectangles the skin describes, for a root of the given width, by hand.
void ComputeRects(double width, std::vector<RectT<double>>& rects) {
  rects.clear();
  const std::vector<float>& shares = FarEdgeShares();
  rects.push_back({0, 0, width, kRows * kRowHeight});
  for (int r = 0; r < kRows; ++r) {
    rects.push_back({0, r * kRowHeight, width, kRowHeight});
    double left = 0;
    for (int c = 0; c < kPerRow; ++c) {
      const double right = RoundHalfAway(shares[c] * width);
      rects.push_back({left, 0, right - left, 20});
      left = right;
    }
  }
}

void BM_CreateAndLayOutFromSkin(benchmark::State& state) {
  LayoutSetup setup;
  const RCPtr<LControlDescriptor> root = setup.factory.FindControlDescriptor(StringW(u"root"));
  for (auto _ : state) {
    RCPtr<LControl> tree = setup.factory.CreateControl(root, nullptr);
    benchmark::DoNotOptimize(tree.Get());
  }
  state.SetItemsProcessed(state.iterations() * kControls);
}
BENCHMARK(BM_CreateAndLayOutFromSkin);

void BM_AttachByHandAndComputeRects(benchmark::State& state) {
  std::vector<StringW> rowNames, childNames;
  for (int r = 0; r < kRows; ++r) rowNames.emplace_back(Numbered("row", r).c_str());
  for (int c = 0; c < kPerRow; ++c) childNames.emplace_back(Numbered("c", c).c_str());
  std::vector<RectT<double>> rects;
  for (auto _ : state) {
    RCPtr<LControl> tree(new LControl(nullptr, StringW(u"root")));
    for (const StringW& rowName : rowNames) {
      LControl* row = new LControl(tree.Get(), rowName);
      for (const StringW& childName : childNames) new LControl(row, childName);
    }
    ComputeRects(800, rects);
    benchmark::DoNotOptimize(rects.data());
  }
  state.SetItemsProcessed(state.iterations() * kControls);
}
BENCHMARK(BM_AttachByHandAndComputeRects);

// Each pass changes the root's width, so every control gets a new rectangle.
void BM_LayoutPassAfterResize(benchmark::State& state) {
  LayoutSetup setup;
  RCPtr<LControl> tree =
      setup.factory.CreateControl(setup.factory.FindControlDescriptor(StringW(u"root")), nullptr);
  const LControl& last = *tree->GetChildren().GetAt(kRows - 1)->GetChildren().GetAt(kPerRow - 1);
  double width = 800;
  for (auto _ : state) {
    width = width == 800 ? 900 : 800;
    tree->SetRect({0, 0, width, kRows * kRowHeight});
    benchmark::DoNotOptimize(last.GetRect().x);
  }
  std::vector<RectT<double>> expected;
  ComputeRects(width, expected);
  if (last.GetRect().x != expected.back().x || last.GetRect().width != expected.back().width)
    throw std::logic_error("the layout differs from the plain computation");
  state.SetItemsProcessed(state.iterations() * kControls);
}
BENCHMARK(BM_LayoutPassAfterResize);

void BM_ComputeRectsInALoop(benchmark::State& state) {
  std::vector<RectT<double>> rects;
  double width = 800;
  for (auto _ : state) {
    width = width == 800 ? 900 : 800;
    ComputeRects(width, rects);
    benchmark::DoNotOptimize(rects.data());
  }
  state.SetItemsProcessed(state.iterations() * kControls);
}
BENCHMARK(BM_ComputeRectsInALoop);

}  // namespace
}  // namespace HV
