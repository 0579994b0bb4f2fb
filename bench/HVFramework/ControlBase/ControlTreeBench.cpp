// Building a tree of 1,000 controls from a skin (32 panels of 30 children
// under one root) against attaching the same tree by hand: the ratio is the
// cost of the skin path (descriptor lookups, layout copies, create
// parameters, handler tables) per control.
#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "tests/support/MemoryXmlResourceSource.h"

#include <benchmark/benchmark.h>

#include <string>

namespace HV {
namespace {

constexpr int kPanels = 32;
constexpr int kChildrenPerPanel = 30;
constexpr int kControls = 1 + kPanels * (1 + kChildrenPerPanel);

std::string Numbered(const char* prefix, int number) {
  std::string text(prefix);
  text.append(std::to_string(number));
  return text;
}

std::string TreeSkin() {
  std::string body = "<Skins><Skin Name=\"S\"><SubControl Class=\"Bench.Control\" Name=\"root\">";
  for (int p = 0; p < kPanels; ++p) {
    body += "<SubControl Class=\"Bench.Control\" Name=\"panel" + std::to_string(p) + "\" TabStop=\"" +
            std::to_string(p % 5) + "\">";
    for (int c = 0; c < kChildrenPerPanel; ++c)
      body += "<SubControl Class=\"Bench.Control\" Name=\"c" + std::to_string(c) +
              "\" XSizeAbs=\"20\" YSizeAbs=\"10\"><CreateParamList><CreateParam ID=\"INITIAL_VALUE\">0.5"
              "</CreateParam></CreateParamList></SubControl>";
    body += "</SubControl>";
  }
  body += "</SubControl></Skin></Skins>";
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Halvern_Skin_Definitions><Application Name=\"App\">" +
         body + "</Application></Halvern_Skin_Definitions>";
}

struct SkinSetup {
  SkinSetup() {
    factory.SetResourceSource(&resources);
    factory.SetBaseLocation(StringW(u"::"));
    resources.Add("SKIN", TreeSkin());
    factory.LoadSkins(StringW(u"::SKIN"));
    factory.RegisterControlCreateFunction(StringW(u"Bench.Control"), &CreateControlOfClass<LControl>);
    SetApplicationControlFactory(&factory);
  }
  ~SkinSetup() { SetApplicationControlFactory(nullptr); }
  Test::MemoryXmlResourceSource resources;
  LControlFactory factory{StringW(u"App")};
};

void BM_CreateTreeFromSkin(benchmark::State& state) {
  SkinSetup setup;
  const RCPtr<LControlDescriptor> root = setup.factory.FindControlDescriptor(StringW(u"root"));
  for (auto _ : state) {
    RCPtr<LControl> tree = setup.factory.CreateControl(root, nullptr);
    benchmark::DoNotOptimize(tree.Get());
  }
  state.SetItemsProcessed(state.iterations() * kControls);
}
BENCHMARK(BM_CreateTreeFromSkin);

// The plain alternative: the same names and shape, attached by hand.
void BM_AttachTreeByHand(benchmark::State& state) {
  std::vector<StringW> panelNames, childNames;
  for (int p = 0; p < kPanels; ++p) panelNames.emplace_back(Numbered("panel", p).c_str());
  for (int c = 0; c < kChildrenPerPanel; ++c) childNames.emplace_back(Numbered("c", c).c_str());
  for (auto _ : state) {
    RCPtr<LControl> tree(new LControl(nullptr, StringW(u"root")));
    for (const StringW& panelName : panelNames) {
      LControl* panel = new LControl(tree.Get(), panelName);
      for (const StringW& childName : childNames) new LControl(panel, childName);
    }
    benchmark::DoNotOptimize(tree.Get());
  }
  state.SetItemsProcessed(state.iterations() * kControls);
}
BENCHMARK(BM_AttachTreeByHand);

}  // namespace
}  // namespace HV
