// Making and dropping small objects: the reuse pool against plain new/delete.
#include "HVFramework/Utilities/Storage/PooledObject.h"

#include <benchmark/benchmark.h>

namespace {

struct Plain {
  int64_t x, y, z;
};
struct Pooled : HV::PooledObject<Pooled, 32, false> {
  int64_t x, y, z;
};
struct LockedPooled : HV::PooledObject<LockedPooled, 32, true> {
  int64_t x, y, z;
};

constexpr int kLive = 32;

template <class T>
void MakeAndDrop(benchmark::State& state) {
  T* live[kLive];
  for (auto _ : state) {
    for (T*& p : live) p = new T();
    benchmark::DoNotOptimize(live);
    for (T* p : live) delete p;
  }
}
BENCHMARK(MakeAndDrop<Plain>);
BENCHMARK(MakeAndDrop<Pooled>);
BENCHMARK(MakeAndDrop<LockedPooled>);

}  // namespace
