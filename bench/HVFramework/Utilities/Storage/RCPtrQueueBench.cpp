// Steady enqueue/dequeue traffic: the reference queue against std::deque.
#include "HVFramework/Utilities/Storage/RCPtrQueue.h"

#include <benchmark/benchmark.h>

#include <deque>
#include <mutex>

namespace {

class Counted : public virtual HV::LRefCountedObject {};

constexpr int kBurst = 64;

void DequeTraffic(benchmark::State& state) {
  HV::RCPtr<Counted> object(new Counted());
  std::deque<HV::RCPtr<Counted>> queue;
  for (auto _ : state) {
    for (int i = 0; i < kBurst; ++i) queue.push_back(object);
    for (int i = 0; i < kBurst; ++i) {
      HV::RCPtr<Counted> item = std::move(queue.front());
      queue.pop_front();
      benchmark::DoNotOptimize(item.Get());
    }
  }
}
BENCHMARK(DequeTraffic);

void QueueTraffic(benchmark::State& state) {
  HV::RCPtr<Counted> object(new Counted());
  HV::RCPtrQueue<Counted> queue;
  for (auto _ : state) {
    for (int i = 0; i < kBurst; ++i) queue.Enqueue(object);
    for (int i = 0; i < kBurst; ++i) benchmark::DoNotOptimize(queue.Dequeue().Get());
  }
}
BENCHMARK(QueueTraffic);

void LockedQueueTraffic(benchmark::State& state) {
  HV::RCPtr<Counted> object(new Counted());
  std::recursive_mutex lock;
  HV::RCPtrQueue<Counted> queue(&lock);
  for (auto _ : state) {
    for (int i = 0; i < kBurst; ++i) queue.Enqueue(object);
    for (int i = 0; i < kBurst; ++i) benchmark::DoNotOptimize(queue.Dequeue().Get());
  }
}
BENCHMARK(LockedQueueTraffic);

}  // namespace
