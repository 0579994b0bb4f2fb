#include "HVFramework/Platform/Core/VirtualClock.h"
#include "HVFramework/System/LThreadPool.h"
#include "tests/support/RecordingWorker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>

#include <atomic>
#include <thread>
#include <vector>

namespace HV {
namespace {

using Platform::EventHub;
using Test::Hold;
using Test::RecordingWorker;
using Test::RunLog;
using ::testing::ElementsAre;

TEST(LThreadPoolThreads, IdlePoolRunsAnItemAtOnceOnItsWorker) {
  auto log = std::make_shared<RunLog>();
  RCPtr<LThreadPool> pool = LThreadPool::Create(1, ThreadPriority::Highest);
  RCPtr<RecordingWorker> held = RecordingWorker::Create(log, u"held", Hold::UntilReleased);

  EXPECT_EQ(pool->TryRunNow(held, nullptr, ThreadPriority::Normal), 0);
  held->WaitStarted();
  EXPECT_EQ(pool->TryRunNow(held, nullptr, ThreadPriority::Normal), -1);  // its only worker is busy
  held->FinishRun();
  pool->Stop();
  EXPECT_EQ(held->RunCount(), 1);
}

TEST(LThreadPoolThreads, QueuedItemsRunByPriorityThenInArrivalOrder) {
  auto log = std::make_shared<RunLog>();
  RCPtr<LThreadPool> pool = LThreadPool::Create(1, ThreadPriority::Highest);
  RCPtr<RecordingWorker> busy = RecordingWorker::Create(log, u"busy", Hold::UntilReleased);
  pool->QueueWork(busy, nullptr, ThreadPriority::Normal);
  busy->WaitStarted();

  RCPtr<LRefCountedObject> parameters(RecordingWorker::Create(log, u"parameters").Get());
  RCPtr<RecordingWorker> first = RecordingWorker::Create(log, u"first normal");
  RCPtr<RecordingWorker> high = RecordingWorker::Create(log, u"highest");
  RCPtr<RecordingWorker> second = RecordingWorker::Create(log, u"second normal");
  pool->QueueWork(first, parameters, ThreadPriority::Normal);
  pool->QueueWork(high, nullptr, ThreadPriority::Highest);
  pool->QueueWork(second, nullptr, ThreadPriority::Normal);
  EXPECT_EQ(pool->TryRunNow(high, nullptr, ThreadPriority::Idle), -1);  // may not overtake the queue

  busy->FinishRun();
  EXPECT_THAT(log->WaitFor(4), ElementsAre(u"busy", u"highest", u"first normal", u"second normal"));
  EXPECT_EQ(first->LastParameters(), parameters.Get());
}

TEST(LThreadPoolThreads, StoppedPoolRunsNothing) {
  auto log = std::make_shared<RunLog>();
  RCPtr<LThreadPool> pool = LThreadPool::Create(2, ThreadPriority::Normal);
  RCPtr<RecordingWorker> worker = RecordingWorker::Create(log, u"w");
  pool->Stop();
  EXPECT_TRUE(pool->IsStopped());
  EXPECT_EQ(pool->TryRunNow(worker, nullptr, ThreadPriority::Normal), -1);
  pool->QueueWork(worker, nullptr, ThreadPriority::Normal);
  pool = nullptr;
  EXPECT_EQ(worker->RunCount(), 0);
  EXPECT_EQ(worker->GetRefCount(), 1);
}

// A pool that says when its destruction begins.
class WatchedPool : public LThreadPool {
 public:
  explicit WatchedPool(Event& gone, int32_t priority = ThreadPriority::Normal)
      : LThreadPool(1, priority), mGone(gone) {}
  ~WatchedPool() override { mGone.Set(); }

 private:
  Event& mGone;
};

TEST(LThreadPoolThreads, StopWakesAQueueThreaderWaitingForAFreeWorker) {
  // With the clock standing still, a wait for a thread that never ends would
  // last for ever instead of 60 s.
  Platform::VirtualClock clock;
  auto log = std::make_shared<RunLog>();
  Event gone(false);
  RCPtr<LThreadPool> pool(new WatchedPool(gone, ThreadPriority::Highest));
  RCPtr<RecordingWorker> busy = RecordingWorker::Create(log, u"busy", Hold::UntilReleased);
  RCPtr<RecordingWorker> queued = RecordingWorker::Create(log, u"queued");
  pool->QueueWork(busy, nullptr, ThreadPriority::Normal);
  busy->WaitStarted();
  pool->QueueWork(queued, nullptr, ThreadPriority::Normal);
  // The held worker and the queue threader wait without limit.
  EventHub::Get().WaitUntilBlockedExactly({.timed = 0, .untimed = 2});

  std::thread stopper([&] { pool->Stop(); });
  // Stop is left waiting for the held worker only: the queue threader ended.
  EventHub::Get().WaitUntilBlockedExactly({.timed = 1, .untimed = 1});
  busy->FinishRun();
  stopper.join();
  EXPECT_EQ(queued->RunCount(), 0);
  // The worker's thread may hold the last reference a moment longer: the
  // test ends only once the pool is gone (else the leak check races it).
  pool = nullptr;
  EXPECT_EQ(gone.Wait(kInfinite), kWaitObject0);
}

TEST(LThreadPoolThreads, DroppedBusyPoolRunsItsQueueThenGoesOnItsOwnThread) {
  auto log = std::make_shared<RunLog>();
  Event gone(false);
  RCPtr<RecordingWorker> busy = RecordingWorker::Create(log, u"busy", Hold::UntilReleased);
  RCPtr<LThreadPool> pool(new WatchedPool(gone));
  pool->QueueWork(busy, nullptr, ThreadPriority::Normal);
  busy->WaitStarted();
  pool->QueueWork(RecordingWorker::Create(log, u"queued"), nullptr, ThreadPriority::Normal);

  pool = nullptr;  // the queue threader's run still holds the pool
  EXPECT_EQ(gone.Wait(0), kWaitTimeout);
  busy->FinishRun();
  EXPECT_THAT(log->WaitFor(2), ElementsAre(u"busy", u"queued"));
  EXPECT_EQ(gone.Wait(kInfinite), kWaitObject0);
}

// A worker that holds the only reference to the pool it runs on, as an
// object owning its pool does when its last holder is a queued item.
class PoolOwningWorker : public LThreadWorker {
 public:
  PoolOwningWorker(RCPtr<LThreadPool> pool, Event& release) : mPool(std::move(pool)), mRelease(release) {}
  int32_t DoWork(RCPtr<LRefCountedObject>&) override {
    mRelease.Wait(kInfinite);
    return 0;
  }

 private:
  RCPtr<LThreadPool> mPool;
  Event& mRelease;
};

TEST(LThreadPoolThreads, APoolEndedByReleasingItsItemTakesNothingMoreOnThatThread) {
  Event gone(false);
  Event release(false);
  RCPtr<LThreadPool> pool(new WatchedPool(gone));
  RCPtr<LThreadWorker> owner(new PoolOwningWorker(pool, release));
  ASSERT_EQ(pool->TryRunNow(owner, nullptr, ThreadPriority::Normal), 0);
  owner = nullptr;
  pool = nullptr;  // the running item now holds the pool's last reference

  release.Set();  // its release on the worker thread ends the pool there
  EXPECT_EQ(gone.Wait(kInfinite), kWaitObject0);
}

// Many producers against a one-thread pool: every item must run, including
// those queued just as the queue threader decided to end its run.
class CountingWorker : public LThreadWorker {
 public:
  CountingWorker(int expected, Event& allDone) : mExpected(expected), mAllDone(allDone) {}
  int32_t DoWork(RCPtr<LRefCountedObject>&) override {
    if (mRuns.fetch_add(1) + 1 == mExpected) mAllDone.Set();
    return 0;
  }
  int Runs() const { return mRuns.load(); }

 private:
  const int mExpected;
  Event& mAllDone;
  std::atomic<int> mRuns{0};
};

TEST(LThreadPoolThreads, EveryQueuedItemRunsUnderContention) {
  constexpr int kProducers = 3;
  constexpr int kItemsEach = 400;
  Event allDone(false);
  RCPtr<CountingWorker> worker(new CountingWorker(kProducers * kItemsEach, allDone));
  RCPtr<LThreadPool> pool = LThreadPool::Create(1, ThreadPriority::Highest);

  std::vector<std::thread> producers;
  for (int p = 0; p < kProducers; ++p)
    producers.emplace_back([&] {
      for (int i = 0; i < kItemsEach; ++i) pool->QueueWork(worker, nullptr, ThreadPriority::Normal);
    });
  for (std::thread& producer : producers) producer.join();
  EXPECT_EQ(allDone.Wait(kInfinite), kWaitObject0);
  EXPECT_EQ(worker->Runs(), kProducers * kItemsEach);
}

}  // namespace
}  // namespace HV
