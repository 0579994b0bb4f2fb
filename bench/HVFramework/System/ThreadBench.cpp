// Event set/wait ping-pong between two threads and thread-pool dispatch
// throughput, each against the same done with a plain condition variable.
#include "HVFramework/System/Event.h"
#include "HVFramework/System/LThreadPool.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using HV::kInfinite;

// Threads blocked on events of their own for the length of a benchmark, as
// the editor's idle threads are: a set of another event must not wake them.
class IdleWaiters {
 public:
  explicit IdleWaiters(int64_t count) {
    for (int64_t i = 0; i < count; ++i) {
      HV::Event& event = *mEvents.emplace_back(std::make_unique<HV::Event>(true));
      mThreads.emplace_back([&event] { event.Wait(kInfinite); });
    }
  }
  ~IdleWaiters() {
    for (auto& event : mEvents) event->Set();
    for (std::thread& thread : mThreads) thread.join();
  }

 private:
  std::vector<std::unique_ptr<HV::Event>> mEvents;
  std::vector<std::thread> mThreads;
};

void EventPingPong(benchmark::State& state) {
  IdleWaiters idle(state.range(0));
  HV::Event ping(true);
  HV::Event pong(true);
  std::atomic<bool> stop{false};
  std::thread partner([&] {
    for (;;) {
      ping.Wait(kInfinite);
      if (stop) return;
      pong.Set();
    }
  });
  for (auto _ : state) {
    ping.Set();
    pong.Wait(kInfinite);
  }
  stop = true;
  ping.Set();
  partner.join();
}
BENCHMARK(EventPingPong)->ArgName("idle")->Arg(0)->Arg(16)->UseRealTime();

// The baseline: one auto-reset flag per direction on a mutex and a
// condition variable of its own.
class Flag {
 public:
  void Set() {
    {
      std::lock_guard lock(mMutex);
      mSet = true;
    }
    mChanged.notify_one();
  }
  void Wait() {
    std::unique_lock lock(mMutex);
    mChanged.wait(lock, [&] { return mSet; });
    mSet = false;
  }

 private:
  std::mutex mMutex;
  std::condition_variable mChanged;
  bool mSet = false;
};

void ConditionVariablePingPong(benchmark::State& state) {
  Flag ping;
  Flag pong;
  std::atomic<bool> stop{false};
  std::thread partner([&] {
    for (;;) {
      ping.Wait();
      if (stop) return;
      pong.Set();
    }
  });
  for (auto _ : state) {
    ping.Set();
    pong.Wait();
  }
  stop = true;
  ping.Set();
  partner.join();
}
BENCHMARK(ConditionVariablePingPong)->UseRealTime();

constexpr int kBatch = 1000;

class CountingWorker : public HV::LThreadWorker {
 public:
  int32_t DoWork(HV::RCPtr<HV::LRefCountedObject>&) override {
    if (mRuns.fetch_add(1) + 1 == mTarget.load()) mDone.Set();
    return 0;
  }
  void Expect(int runs) {
    mRuns = 0;
    mTarget = runs;
  }
  void WaitDone() { mDone.Wait(kInfinite); }

 private:
  std::atomic<int> mRuns{0};
  std::atomic<int> mTarget{0};
  HV::Event mDone{true};
};

// A batch of items queued from one thread onto a pool of one worker (the
// shape of the capture layer's pool).
void PoolDispatch(benchmark::State& state) {
  HV::RCPtr<HV::LThreadPool> pool = HV::LThreadPool::Create(1, HV::ThreadPriority::Highest);
  HV::RCPtr<CountingWorker> worker(new CountingWorker());
  for (auto _ : state) {
    worker->Expect(kBatch);
    for (int i = 0; i < kBatch; ++i) pool->QueueWork(worker, nullptr, HV::ThreadPriority::Normal);
    worker->WaitDone();
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
  pool->Stop();
}
BENCHMARK(PoolDispatch)->UseRealTime();

// The baseline: one worker thread draining a deque of functions.
void ConditionVariableQueueDispatch(benchmark::State& state) {
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::function<void()>> queue;
  bool stop = false;
  std::thread worker([&] {
    std::unique_lock lock(mutex);
    for (;;) {
      changed.wait(lock, [&] { return stop || !queue.empty(); });
      if (queue.empty()) return;
      std::function<void()> item = std::move(queue.front());
      queue.pop_front();
      lock.unlock();
      item();
      lock.lock();
    }
  });
  std::atomic<int> runs{0};
  Flag done;
  for (auto _ : state) {
    runs = 0;
    for (int i = 0; i < kBatch; ++i) {
      {
        std::lock_guard lock(mutex);
        queue.emplace_back([&] {
          if (runs.fetch_add(1) + 1 == kBatch) done.Set();
        });
      }
      changed.notify_one();
    }
    done.Wait();
  }
  {
    std::lock_guard lock(mutex);
    stop = true;
  }
  changed.notify_one();
  worker.join();
  state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(ConditionVariableQueueDispatch)->UseRealTime();

}  // namespace
