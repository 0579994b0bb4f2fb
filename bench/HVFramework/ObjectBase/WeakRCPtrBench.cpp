// What weak pointers cost: the life of a counted object no weak pointer took
// (what every object pays for them) against one a weak pointer followed, and
// reading a live object through a weak pointer with Get and with Lock.
#include "HVFramework/ObjectBase/WeakRCPtr.h"

#include <benchmark/benchmark.h>

namespace {

class Counted : public virtual HV::LRefCountedObject {};

void MakeAndDropWithoutWeakPointer(benchmark::State& state) {
  for (auto _ : state) {
    HV::RCPtr<Counted> object(new Counted());
    benchmark::DoNotOptimize(object.Get());
  }
}
BENCHMARK(MakeAndDropWithoutWeakPointer);

void MakeAndDropFollowedByAWeakPointer(benchmark::State& state) {
  for (auto _ : state) {
    HV::RCPtr<Counted> object(new Counted());
    const HV::WeakRCPtr<Counted> weak(object);
    object = nullptr;
    benchmark::DoNotOptimize(weak.Get());
  }
}
BENCHMARK(MakeAndDropFollowedByAWeakPointer);

void WeakGet(benchmark::State& state) {
  const HV::RCPtr<Counted> object(new Counted());
  const HV::WeakRCPtr<Counted> weak(object);
  for (auto _ : state) benchmark::DoNotOptimize(weak.Get());
}
BENCHMARK(WeakGet);

void WeakLock(benchmark::State& state) {
  static const HV::RCPtr<Counted> object(new Counted());
  static const HV::WeakRCPtr<Counted> weak(object);
  for (auto _ : state) {
    const HV::RCPtr<Counted> locked = weak.Lock();
    benchmark::DoNotOptimize(locked.Get());
  }
}
BENCHMARK(WeakLock)->Threads(1)->Threads(8)->UseRealTime();

}  // namespace
