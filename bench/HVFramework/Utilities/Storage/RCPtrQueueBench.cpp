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

namespace {

// A backlog built post by post into a queue that has grown before and holds
// its oldest item at slot 0: the cost per post must not grow with the
// backlog. Reported per post, at 1k, 10k and 40k posts.
void BacklogPosts(benchmark::State& state) {
  HV::RCPtr<Counted> object(new Counted());
  const auto posts = static_cast<int>(state.range(0));
  for (auto _ : state) {
    HV::RCPtrQueue<Counted> queue;
    for (int i = 0; i < posts; ++i) queue.Enqueue(object);
    benchmark::DoNotOptimize(queue.GetCount());
  }
  state.SetItemsProcessed(state.iterations() * posts);
}
BENCHMARK(BacklogPosts)->Arg(1000)->Arg(10000)->Arg(40000);

// The same backlog in a std::deque.
void DequeBacklogPosts(benchmark::State& state) {
  HV::RCPtr<Counted> object(new Counted());
  const auto posts = static_cast<int>(state.range(0));
  for (auto _ : state) {
    std::deque<HV::RCPtr<Counted>> queue;
    for (int i = 0; i < posts; ++i) queue.push_back(object);
    benchmark::DoNotOptimize(queue.size());
  }
  state.SetItemsProcessed(state.iterations() * posts);
}
BENCHMARK(DequeBacklogPosts)->Arg(1000)->Arg(10000)->Arg(40000);

}  // namespace
