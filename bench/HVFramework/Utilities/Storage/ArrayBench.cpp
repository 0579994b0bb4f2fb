// Appending and inserting at the front: the framework's arrays against std::vector.
#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/ArrayBuffer.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

class Counted : public virtual HV::LRefCountedObject {};

constexpr uint32_t kItems = 1000;

// Each case: a container and how it takes one more item.
struct VectorAppend {
  std::vector<uint32_t> items;
  void Add(uint32_t i) { items.push_back(i); }
};
struct VectorInsertFront {
  std::vector<uint32_t> items;
  void Add(uint32_t i) { items.insert(items.begin(), i); }
};
template <class Items>
struct FrameworkAppend {
  Items items;
  void Add(uint32_t i) { items.AddItem(i); }
};
template <class Items>
struct FrameworkInsertFront {
  Items items;
  void Add(uint32_t i) { items.InsertItem(0, i); }
};
struct VectorOfCounted {
  std::vector<HV::RCPtr<Counted>> items;
  HV::RCPtr<Counted> object{new Counted()};
  void Add(uint32_t) { items.push_back(object); }
};
template <uint32_t Granularity, uint32_t Slack>
struct ReferenceArray {
  HV::RCPtrArray<Counted, Granularity, Slack> items;
  HV::RCPtr<Counted> object{new Counted()};
  void Add(uint32_t) { items.AddItem(object); }
};

template <class Case>
void Fill(benchmark::State& state) {
  for (auto _ : state) {
    Case c;
    for (uint32_t i = 0; i < kItems; ++i) c.Add(i);
    benchmark::DoNotOptimize(&c.items);
  }
}

BENCHMARK(Fill<VectorAppend>);
BENCHMARK(Fill<FrameworkAppend<HV::Array<uint32_t>>>);
BENCHMARK(Fill<FrameworkAppend<HV::ArrayBuffer<uint32_t, 1, 0>>>);
BENCHMARK(Fill<FrameworkAppend<HV::ArrayBuffer<uint32_t, 32, 1600>>>);
BENCHMARK(Fill<VectorInsertFront>);
BENCHMARK(Fill<FrameworkInsertFront<HV::Array<uint32_t>>>);
BENCHMARK(Fill<FrameworkInsertFront<HV::ArrayBuffer<uint32_t, 32, 1600>>>);
BENCHMARK(Fill<VectorOfCounted>);
BENCHMARK(Fill<ReferenceArray<1, 0>>);
BENCHMARK(Fill<ReferenceArray<256, 256>>);

}  // namespace
