// Copying and destroying a counted pointer against std::shared_ptr, on one
// thread and with every thread hammering the same object.
#include "HVFramework/ObjectBase/RefCountedObject.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class Counted : public virtual HV::LRefCountedObject {};
struct Plain {};

HV::RCPtr<Counted> gCounted(new Counted());
std::shared_ptr<Plain> gShared = std::make_shared<Plain>();

void RCPtrCopyDestroy(benchmark::State& state) {
  for (auto _ : state) {
    HV::RCPtr<Counted> copy(gCounted);
    benchmark::DoNotOptimize(copy.Get());
  }
}
BENCHMARK(RCPtrCopyDestroy)->Threads(1)->Threads(8)->UseRealTime();

void SharedPtrCopyDestroy(benchmark::State& state) {
  for (auto _ : state) {
    std::shared_ptr<Plain> copy(gShared);
    benchmark::DoNotOptimize(copy.get());
  }
}
BENCHMARK(SharedPtrCopyDestroy)->Threads(1)->Threads(8)->UseRealTime();

}  // namespace
