#include "HVFramework/Platform/Core/VirtualClock.h"
#include "HVFramework/System/Event.h"
#include "HVFramework/System/EventPool.h"
#include "HVFramework/System/LEvent.h"
#include "HVFramework/System/TrafficLight.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace HV {
namespace {

using Platform::EventHub;

TEST(Event, WaitsFollowTheResetModeTable) {
  enum Step { Set, Reset, None };
  struct Case {
    const char* what;
    bool autoReset;
    Step first, second;
    uint32_t firstWait, secondWait;  // two zero-time waits after the steps
  };
  const Case cases[] = {
      {"auto, never set", true, None, None, kWaitTimeout, kWaitTimeout},
      {"auto, set: one wait consumes it", true, Set, None, kWaitObject0, kWaitTimeout},
      {"auto, set twice: still one wait", true, Set, Set, kWaitObject0, kWaitTimeout},
      {"auto, set then reset", true, Set, Reset, kWaitTimeout, kWaitTimeout},
      {"manual, never set", false, None, None, kWaitTimeout, kWaitTimeout},
      {"manual, set: every wait passes", false, Set, None, kWaitObject0, kWaitObject0},
      {"manual, set then reset", false, Set, Reset, kWaitTimeout, kWaitTimeout},
  };
  for (const Case& c : cases) {
    Event event(c.autoReset);
    for (Step step : {c.first, c.second}) {
      if (step == Set) {
        EXPECT_TRUE(event.Set());
      } else if (step == Reset) {
        EXPECT_TRUE(event.Reset());
      }
    }
    EXPECT_EQ(event.Wait(0), c.firstWait) << c.what;
    EXPECT_EQ(event.Wait(0), c.secondWait) << c.what;
  }
}

TEST(Event, CountedEventIsAutoResetAndStartsUnset) {
  RCPtr<LEvent> event = LEvent::Create();
  EXPECT_EQ(event->Wait(0), kWaitTimeout);
  EXPECT_TRUE(event->Set());
  EXPECT_EQ(event->Wait(kInfinite), kWaitObject0);
  EXPECT_EQ(event->Wait(0), kWaitTimeout);
}

TEST(TrafficLight, GreenLetsEveryWaitThroughUntilRed) {
  TrafficLight light;
  EXPECT_FALSE(light.IsGreen());
  EXPECT_NE(light.SetGreen(), 0);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(light.IsGreen());
  EXPECT_EQ(light.Wait(kInfinite), kWaitObject0);
  EXPECT_TRUE(light.IsGreen());
  EXPECT_NE(light.SetRed(), 0);
  EXPECT_FALSE(light.IsGreen());
  EXPECT_EQ(light.Wait(0), kWaitTimeout);
}

TEST(EventPool, WaitForAnyReportsTheLowestSetEventAndConsumesIt) {
  EventPool pool(3);
  ASSERT_EQ(pool.GetCount(), 3u);
  pool.GetEvent(2)->Set();
  EXPECT_EQ(pool.WaitForAny(kInfinite), 2);
  EXPECT_EQ(pool.GetEvent(2)->Wait(0), kWaitTimeout);

  pool.GetEvent(2)->Set();
  pool.GetEvent(0)->Set();
  EXPECT_EQ(pool.WaitForAny(0), 0);
  EXPECT_EQ(pool.WaitForAny(0), 2);
  EXPECT_EQ(pool.WaitForAny(0), -1);
}

TEST(EventPool, PoolsOneWaitCannotTakeFail) {
  EventPool empty(0);
  EXPECT_EQ(empty.GetCount(), 0u);
  EXPECT_EQ(empty.WaitForAny(kInfinite), -1);

  EventPool impossible(0x40000000u);
  EXPECT_EQ(impossible.GetCount(), 0u);

  EventPool tooMany(kMaximumWaitObjects + 1);
  EXPECT_EQ(tooMany.GetCount(), kMaximumWaitObjects + 1);
  tooMany.GetEvent(0)->Set();
  EXPECT_EQ(tooMany.WaitForAny(kInfinite), -1);
}

TEST(EventThreads, InfiniteWaitReturnsOnlyAfterSet) {
  Event event(true);
  std::atomic<uint32_t> result{kWaitFailed};
  std::thread waiter([&] { result = event.Wait(kInfinite); });
  EventHub::Get().WaitUntilBlocked({.timed = 0, .untimed = 1});
  EXPECT_EQ(result, kWaitFailed);
  event.Set();
  waiter.join();
  EXPECT_EQ(result, kWaitObject0);
}

TEST(EventThreads, OneSetOfAnAutoResetEventReleasesOneOfTwoWaiters) {
  Event event(true);
  Event returned(true);
  std::atomic<int> released{0};
  auto wait = [&] {
    event.Wait(kInfinite);
    released.fetch_add(1);
    returned.Set();
  };
  std::thread first(wait);
  std::thread second(wait);
  EventHub::Get().WaitUntilBlocked({.timed = 0, .untimed = 2});

  event.Set();
  returned.Wait(kInfinite);
  EXPECT_EQ(released, 1);
  EXPECT_EQ(EventHub::Get().GetBlockedWaits().untimed, 1u);  // the other one still waits

  event.Set();
  first.join();
  second.join();
  EXPECT_EQ(released, 2);
}

TEST(EventThreads, ManualResetEventReleasesEveryWaiter) {
  Event event(false);
  std::thread first([&] { event.Wait(kInfinite); });
  std::thread second([&] { event.Wait(kInfinite); });
  EventHub::Get().WaitUntilBlocked({.timed = 0, .untimed = 2});
  event.Set();
  first.join();
  second.join();
  EXPECT_EQ(event.Wait(0), kWaitObject0);
}

TEST(EventThreads, ShortTimeOutsEndOnTheClockUnlessSetFirst) {
  Platform::VirtualClock clock;
  for (bool setInTime : {true, false}) {
    Event event(true);
    std::atomic<uint32_t> result{kWaitFailed};
    std::thread waiter([&] { result = event.Wait(10); });
    clock.AdvanceWhenWaiting(setInTime ? 9 : 10);
    if (setInTime) event.Set();
    waiter.join();
    EXPECT_EQ(result, setInTime ? kWaitObject0 : kWaitTimeout);
  }
}

TEST(EventThreads, PoolWaitWithNothingSetTimesOutAfterItsTime) {
  Platform::VirtualClock clock;
  EventPool pool(3);
  std::atomic<int32_t> result{0};
  std::thread waiter([&] { result = pool.WaitForAny(10); });
  clock.AdvanceWhenWaiting(10);
  waiter.join();
  EXPECT_EQ(result, -1);
}

}  // namespace
}  // namespace HV
