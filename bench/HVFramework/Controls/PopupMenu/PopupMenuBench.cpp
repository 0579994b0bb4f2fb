// Opening a menu of 40 items (five of them a submenu of 8) in a pop-up menu:
// the copy, the shortcut texts, the rows and their widths (Popup...) against
// the bare copy of the menu that any menu shows (PlainMenuCopy). Compare
// menus per second of the pair: the ratio is what the rows cost on top of
// the copy.
#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/ControlBase/Skin/Menu/MenuBuilder.h"
#include "HVFramework/Controls/Button/LButton.h"
#include "HVFramework/Controls/LLabel.h"
#include "HVFramework/Controls/PopupMenu/LPopupMenu.h"
#include "tests/support/MemoryXmlResourceSource.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace HV {
namespace {

std::string MenuSkin() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Halvern_Skin_Definitions><Application Name=\"App\">"
         "<Skins><Skin Name=\"S\"><SubControl Class=\"Bench.Control\" Name=\"root\" XSizeAbs=\"800\" "
         "YSizeAbs=\"600\"><SubControl Class=\"Framework.PopupMenu\" Name=\"menu\" XSizeAbs=\"150\" "
         "YSizeAbs=\"500\"><SubControl Class=\"Framework.MenuItem\" Name=\"templateItem\" "
         "XSizeToControl=\"Client\" XSizeRel=\"1\" XSizeAbs=\"0\" YSizeAbs=\"20\">"
         "<SubControl Class=\"Framework.Button\" Name=\"checkBox\" XSizeAbs=\"16\" YSizeAbs=\"16\"/>"
         "<SubControl Class=\"Framework.Label\" Name=\"hotKeyLabel\" XPositionAbs=\"90\" XSizeAbs=\"40\" "
         "YSizeAbs=\"20\"/></SubControl></SubControl></SubControl>"
         "</Skin></Skins></Application></Halvern_Skin_Definitions>";
}

RCPtr<LMenuDescriptor> BenchMenu() {
  MenuEntries entries;
  for (int i = 0; i < 40; ++i) {
    char key[48];
    if (i % 8 == 7)
      std::snprintf(key, sizeof key, "%02d.More.", i);
    else
      std::snprintf(key, sizeof key, "%02d.NID_COMMAND_%d", i, i);
    entries.emplace_back(StringW(key), StringW(("Command " + std::to_string(i) + "|Help").c_str()));
  }
  for (int i = 0; i < 8; ++i)
    entries.emplace_back(StringW(("More.0" + std::to_string(i) + ".NID_MORE_" + std::to_string(i)).c_str()),
                         StringW(("More " + std::to_string(i)).c_str()));
  return BuildMenuFromEntries(entries);
}

struct MenuSetup {
  MenuSetup() {
    factory.SetResourceSource(&resources);
    factory.SetBaseLocation(StringW(u"::"));
    resources.Add("SKIN", MenuSkin());
    factory.LoadSkins(StringW(u"::SKIN"));
    factory.RegisterControlCreateFunction(StringW(u"Bench.Control"), &CreateControlOfClass<LControl>);
    LPopupMenu::Register(factory);
    LButton::Register(factory);
    LLabel::Register(factory);
    SetApplicationControlFactory(&factory);
    SetApplicationWorkArea({0, 0, 800, 600});
    root = factory.CreateControl(factory.FindControlDescriptor(StringW(u"root")), nullptr);
    menu = dynamic_cast<LPopupMenu*>(root->FindChildControl(StringW(u"menu")).Get());
  }
  ~MenuSetup() {
    root = nullptr;
    SetApplicationControlFactory(nullptr);
  }
  Test::MemoryXmlResourceSource resources;
  LControlFactory factory{StringW(u"App")};
  RCPtr<LControl> root;
  LPopupMenu* menu = nullptr;
};

void BM_PopupSetMenu(benchmark::State& state) {
  MenuSetup setup;
  const RCPtr<LMenuDescriptor> menu = BenchMenu();
  for (auto _ : state) {
    setup.menu->SetMenu(menu);
    benchmark::DoNotOptimize(setup.menu->GetItemCount());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PopupSetMenu);

void BM_PlainMenuCopy(benchmark::State& state) {
  const RCPtr<LMenuDescriptor> menu = BenchMenu();
  for (auto _ : state) {
    const RCPtr<LMenuDescriptor> copy = menu->Clone();
    benchmark::DoNotOptimize(copy.Get());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlainMenuCopy);

}  // namespace
}  // namespace HV
