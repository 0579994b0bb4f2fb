// A list box of 100,000 items against a plain std::vector of the same texts:
// filling it, scrolling one page (the pool re-labels its controls), sorting
// (the same case-insensitive comparison), and the heap memory held per item.
// Compare items per second of each pair (List... against Plain...): the ratio
// is the list's cost over bare storage. The memory counters are bytes per item.
#include "HVFramework/ControlBase/Control/ControlCreation.h"
#include "HVFramework/ControlBase/Control/ControlServices.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/LControlFactory.h"
#include "HVFramework/Controls/ListBox/LListBox.h"
#include "HVFramework/Controls/ListBox/LListBoxItem.h"
#include "HVFramework/ObjectBase/WrapperStringable.h"
#include "tests/support/MemoryXmlResourceSource.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace HV {
namespace {

constexpr int32_t kItems = 100000;
constexpr int32_t kRowHeight = 20;

std::string ListSkin() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Halvern_Skin_Definitions><Application Name=\"App\">"
         "<Skins><Skin Name=\"S\"><SubControl Class=\"Bench.Control\" Name=\"root\" XSizeAbs=\"400\" "
         "YSizeAbs=\"400\"><SubControl Class=\"Framework.ListBox\" Name=\"list\" XSizeAbs=\"200\" "
         "YSizeAbs=\"300\"><SubControl Class=\"Framework.ListBoxItem\" Name=\"templateItem\" "
         "XSizeToControl=\"Client\" XSizeRel=\"1\" XSizeAbs=\"0\" YSizeAbs=\"20\"/></SubControl></SubControl>"
         "</Skin></Skins></Application></Halvern_Skin_Definitions>";
}

// Texts in a shuffled order, the same for every run.
std::vector<StringW> ShuffledTexts() {
  std::vector<StringW> texts;
  texts.reserve(kItems);
  for (int32_t i = 0; i < kItems; ++i) texts.push_back(StringW::FromFormat(u"Preset %06d", i));
  std::shuffle(texts.begin(), texts.end(), std::mt19937(42));
  return texts;
}

const std::vector<StringW>& Texts() {
  static const std::vector<StringW> texts = ShuffledTexts();
  return texts;
}

struct ListSetup {
  ListSetup() {
    factory.SetResourceSource(&resources);
    factory.SetBaseLocation(StringW(u"::"));
    resources.Add("SKIN", ListSkin());
    factory.LoadSkins(StringW(u"::SKIN"));
    factory.RegisterControlCreateFunction(StringW(u"Bench.Control"), &CreateControlOfClass<LControl>);
    LListBox::Register(factory);
    LListBoxItem::Register(factory);
    SetApplicationControlFactory(&factory);
    SetApplicationWorkArea({0, 0, 800, 600});
  }
  ~ListSetup() {
    root = nullptr;
    SetApplicationControlFactory(nullptr);
  }
  LListBox& MakeList() {
    root = factory.CreateControl(factory.FindControlDescriptor(StringW(u"root")), nullptr);
    return dynamic_cast<LListBox&>(*root->FindChildControl(StringW(u"list")));
  }
  static void Fill(LListBox& list) {
    for (const StringW& text : Texts()) list.AddItem(text);
  }
  Test::MemoryXmlResourceSource resources;
  LControlFactory factory{StringW(u"App")};
  RCPtr<LControl> root;
};

int CompareTexts(const StringW& a, const StringW& b) { return LListBox::CompareItemTexts(a, b); }

void BM_ListFill(benchmark::State& state) {
  ListSetup setup;
  for (auto _ : state) {
    LListBox& list = setup.MakeList();
    ListSetup::Fill(list);
    benchmark::DoNotOptimize(list.GetItemCount());
  }
  state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_ListFill)->Unit(benchmark::kMillisecond);

// The plain alternative: each text wrapped as a tag in a vector.
void BM_PlainFill(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<RCPtr<LTaggableObject>> items;
    for (const StringW& text : Texts()) items.push_back(MakeStringTag(text));
    benchmark::DoNotOptimize(items.data());
  }
  state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_PlainFill)->Unit(benchmark::kMillisecond);

void BM_ListScrollPage(benchmark::State& state) {
  ListSetup setup;
  LListBox& list = setup.MakeList();
  ListSetup::Fill(list);
  const int32_t page = list.GetItemControlCount();
  double offset = 0;
  for (auto _ : state) {
    offset = offset == 0 ? page * kRowHeight : 0;
    list.ScrollTo({0, offset});
  }
  state.SetItemsProcessed(state.iterations() * page);
  state.counters["pool"] = page;
}
BENCHMARK(BM_ListScrollPage);

// The plain alternative: copying one page of texts out of the vector.
void BM_PlainScrollPage(benchmark::State& state) {
  const int32_t page = 300 / kRowHeight;
  std::vector<StringW> shown(static_cast<size_t>(page));
  int32_t first = 0;
  for (auto _ : state) {
    first = first == 0 ? page : 0;
    for (int32_t slot = 0; slot < page; ++slot) shown[static_cast<size_t>(slot)] = Texts()[static_cast<size_t>(first + slot)];
    benchmark::DoNotOptimize(shown.data());
  }
  state.SetItemsProcessed(state.iterations() * page);
}
BENCHMARK(BM_PlainScrollPage);

void BM_ListSort(benchmark::State& state) {
  ListSetup setup;
  LListBox& list = setup.MakeList();
  ListSetup::Fill(list);
  for (auto _ : state) {
    state.PauseTiming();
    for (int32_t i = 0; i < kItems; ++i) list.GetItemRecord(i).Tag = MakeStringTag(Texts()[static_cast<size_t>(i)]);
    state.ResumeTiming();
    list.SortItems();
  }
  state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_ListSort)->Unit(benchmark::kMillisecond);

// The plain alternative: the texts in a vector, sorted with the same comparison.
void BM_PlainSort(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<StringW> texts = Texts();
    state.ResumeTiming();
    std::sort(texts.begin(), texts.end(), [](const StringW& a, const StringW& b) { return CompareTexts(a, b) < 0; });
    benchmark::DoNotOptimize(texts.data());
  }
  state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_PlainSort)->Unit(benchmark::kMillisecond);

size_t HeapInUse() { return mallinfo2().uordblks; }

// Heap bytes per item held by a filled list against a vector of the same
// texts (both counted with the text buffers they keep).
void BM_MemoryPerItem(benchmark::State& state) {
  ListSetup setup;
  double listBytes = 0, plainBytes = 0;
  for (auto _ : state) {
    const size_t before = HeapInUse();
    {
      std::vector<StringW> texts;
      for (const StringW& text : Texts()) texts.push_back(StringW(text.GetText()));
      plainBytes = static_cast<double>(HeapInUse() - before) / kItems;
    }
    const size_t beforeList = HeapInUse();
    LListBox& list = setup.MakeList();
    for (const StringW& text : Texts()) list.AddItem(StringW(text.GetText()));
    listBytes = static_cast<double>(HeapInUse() - beforeList) / kItems;
    setup.root = nullptr;
  }
  state.counters["list_bytes_per_item"] = listBytes;
  state.counters["plain_bytes_per_item"] = plainBytes;
  state.counters["ratio"] = plainBytes > 0 ? listBytes / plainBytes : 0;
}
BENCHMARK(BM_MemoryPerItem)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace HV
