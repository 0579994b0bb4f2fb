#include "HVFramework/Platform/Core/EventHub.h"
#include "HVFramework/Platform/Core/VirtualClock.h"

#include <gtest/gtest.h>

#include <span>
#include <thread>
#include <vector>

namespace HV::Platform {
namespace {

std::vector<WaitHandle> MakeEvents(size_t count, ResetMode mode) {
  std::vector<WaitHandle> events;
  for (size_t i = 0; i < count; ++i) events.push_back(EventHub::Get().CreateEvent(mode));
  return events;
}

TEST(EventHub, WaitForAnyRefusesWhatOneWaitCannotHold) {
  EventHub& hub = EventHub::Get();
  std::vector<WaitHandle> withNull = MakeEvents(2, ResetMode::Auto);
  withNull.push_back(nullptr);
  hub.Set(withNull[0]);

  EXPECT_EQ(hub.WaitForAny({}, 0), kWaitFailed);
  EXPECT_EQ(hub.WaitForAny(MakeEvents(kMaximumWaitObjects + 1, ResetMode::Auto), 0), kWaitFailed);
  EXPECT_EQ(hub.WaitForAny(withNull, 0), kWaitFailed);
  EXPECT_EQ(hub.Wait(nullptr, kInfinite), kWaitFailed);
  EXPECT_FALSE(hub.Set(nullptr));
  EXPECT_FALSE(hub.Reset(nullptr));
  EXPECT_EQ(hub.WaitForAny(MakeEvents(kMaximumWaitObjects, ResetMode::Auto), 0), kWaitTimeout);
}

TEST(EventHub, WaitForAnyTakesTheLowestAndConsumesOnlyAnAutoResetOne) {
  EventHub& hub = EventHub::Get();
  std::vector<WaitHandle> events = MakeEvents(2, ResetMode::Auto);
  events.push_back(hub.CreateEvent(ResetMode::Manual));
  for (const WaitHandle& event : events) hub.Set(event);

  EXPECT_EQ(hub.WaitForAny(events, 0), kWaitObject0 + 0);
  EXPECT_EQ(hub.WaitForAny(events, 0), kWaitObject0 + 1);
  EXPECT_EQ(hub.WaitForAny(events, 0), kWaitObject0 + 2);  // manual: stays set
  EXPECT_EQ(hub.WaitForAny(events, 0), kWaitObject0 + 2);
}

TEST(VirtualClock, InstallsItselfAndPutsBackThePreviousClock) {
  VirtualClock outer(1000);
  {
    VirtualClock inner(7);
    inner.Advance(5);
    EXPECT_EQ(GetTickCount(), 12u);
    EXPECT_DOUBLE_EQ(GetSecondsSinceStart(), 0.005);
  }
  EXPECT_EQ(GetTickCount(), 1000u);
}

// A timed wait on another thread, its result collected when it returns.
struct TimedWaiter {
  TimedWaiter(WaitHandle event, uint32_t milliseconds)
      : thread([this, event, milliseconds] { result = EventHub::Get().Wait(event, milliseconds); }) {}
  uint32_t Join() {
    thread.join();
    return result;
  }
  uint32_t result = 0;
  std::thread thread;
};

TEST(EventHubThreads, TimedWaitsEndOnTheVirtualClockAcrossItsWrap) {
  struct Case {
    uint32_t start;
    uint32_t wait;
    uint32_t advance;
    uint32_t expected;  // before the time-out the event is set after the advance
  };
  const Case cases[] = {
      {0, 10, 9, kWaitObject0},
      {0, 10, 10, kWaitTimeout},
      {0xFFFFFFF0u, 100, 99, kWaitObject0},
      {0xFFFFFFF0u, 100, 100, kWaitTimeout},
  };
  for (const Case& c : cases) {
    VirtualClock clock(c.start);
    WaitHandle event = EventHub::Get().CreateEvent(ResetMode::Auto);
    TimedWaiter waiter(event, c.wait);
    clock.AdvanceWhenWaiting(c.advance);
    if (c.expected == kWaitObject0) EventHub::Get().Set(event);
    EXPECT_EQ(waiter.Join(), c.expected) << "start " << c.start << " advance " << c.advance;
  }
}

TEST(EventHubThreads, BlockedWaitsCountThreadsUntilTheyReturn) {
  EventHub& hub = EventHub::Get();
  WaitHandle event = hub.CreateEvent(ResetMode::Manual);
  std::thread waiter([&] { hub.Wait(event, kInfinite); });
  hub.WaitUntilBlockedExactly({.timed = 0, .untimed = 1});
  hub.Set(event);
  waiter.join();
  EXPECT_EQ(hub.GetBlockedWaits().untimed, 0u);
}

TEST(EventHubThreads, SetWakesOnlyTheThreadsWaitingOnThatObject) {
  EventHub& hub = EventHub::Get();
  std::vector<WaitHandle> events = MakeEvents(3, ResetMode::Auto);
  uint32_t firstResult = 0;
  uint32_t anyResult = 0;
  std::thread onFirst([&] { firstResult = hub.Wait(events[0], kInfinite); });
  std::thread onOthers([&] { anyResult = hub.WaitForAny(std::span(events).subspan(1), kInfinite); });
  hub.WaitUntilBlockedExactly({.timed = 0, .untimed = 2});

  // Two sets of the first event's neighbour wake the wait for any of the
  // others once each; the thread on the first event sleeps through them.
  const uint64_t before = hub.GetWakeUps();
  hub.Set(events[2]);
  onOthers.join();
  EXPECT_EQ(anyResult, kWaitObject0 + 1);
  EXPECT_EQ(hub.GetWakeUps(), before + 1);
  hub.Set(events[2]);
  hub.Set(events[1]);
  EXPECT_EQ(hub.GetWakeUps(), before + 1);  // nobody waits on them now
  EXPECT_EQ(hub.GetBlockedWaits().untimed, 1u);

  hub.Set(events[0]);
  onFirst.join();
  EXPECT_EQ(firstResult, kWaitObject0);
  EXPECT_EQ(hub.GetWakeUps(), before + 2);
}

}  // namespace
}  // namespace HV::Platform
