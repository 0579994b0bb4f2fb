#include "HVFramework/Platform/Core/VirtualClock.h"
#include "HVFramework/System/Event.h"
#include "HVFramework/System/Thread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace HV {
namespace {

TEST(ThreadThreads, StartsSuspendedAndReportsItsEnd) {
  std::atomic<bool> ran{false};
  Thread thread([&] {
    ran = true;
    return 0u;
  });
  EXPECT_FALSE(thread.HasTerminated());
  EXPECT_FALSE(ran);
  EXPECT_TRUE(thread.SetPriority(ThreadPriority::Highest));
  EXPECT_FALSE(thread.SetPriority(7));
  EXPECT_EQ(thread.GetPriority(), ThreadPriority::Highest);
  EXPECT_TRUE(thread.SetPriorityBoost(false));
  EXPECT_EQ(thread.Resume(), 1);
  EXPECT_TRUE(thread.Wait(kInfinite));
  EXPECT_TRUE(ran);
  EXPECT_TRUE(thread.HasTerminated());
}

TEST(ThreadThreads, WaitGivesUpWhenTheThreadOutlastsTheTimeOut) {
  Platform::VirtualClock clock;
  Event release(true);
  Thread thread([&] {
    release.Wait(kInfinite);
    return 0u;
  });
  thread.Resume();
  std::atomic<bool> ended{true};
  std::thread waiter([&] { ended = thread.Wait(500); });
  clock.AdvanceWhenWaiting(500);
  waiter.join();
  EXPECT_FALSE(ended);
  release.Set();
  EXPECT_TRUE(thread.Wait(kInfinite));
}

}  // namespace
}  // namespace HV
