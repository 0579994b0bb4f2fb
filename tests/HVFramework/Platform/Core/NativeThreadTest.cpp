#include "HVFramework/Platform/Core/NativeThread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace HV::Platform {
namespace {

TEST(NativeThread, KeepsTheSevenPriorityLevelsOnly) {
  std::unique_ptr<NativeThread> thread = NativeThread::CreateSuspended([] { return 0u; });
  ASSERT_TRUE(thread);
  for (int32_t level : {-15, -2, -1, 0, 1, 2, 15}) {
    EXPECT_TRUE(thread->SetPriority(level));
    EXPECT_EQ(thread->GetPriority(), level);
  }
  for (int32_t level : {-16, -3, 3, 14, 16}) EXPECT_FALSE(thread->SetPriority(level)) << level;
  EXPECT_EQ(thread->GetPriority(), 15);
  thread->Resume();
  EXPECT_EQ(thread->WaitForEnd(kInfinite), kWaitObject0);
}

TEST(NativeThreadThreads, RunsOnlyOnceResumedAndItsEndIsWaitable) {
  std::atomic<bool> ran{false};
  std::unique_ptr<NativeThread> thread = NativeThread::CreateSuspended([&] {
    ran = true;
    return 0u;
  });
  ASSERT_TRUE(thread);
  EXPECT_EQ(thread->WaitForEnd(0), kWaitTimeout);
  EXPECT_FALSE(ran);
  EXPECT_EQ(thread->Resume(), 1);
  EXPECT_EQ(thread->Resume(), 0);
  EXPECT_EQ(thread->WaitForEnd(kInfinite), kWaitObject0);
  EXPECT_TRUE(ran);
  EXPECT_EQ(EventHub::Get().Wait(thread->GetEndHandle(), 0), kWaitObject0);  // manual: stays set
}

TEST(NativeThreadThreads, ThreadCannotWaitForItselfAndMayDestroyItsOwnObject) {
  std::unique_ptr<NativeThread> thread;
  std::atomic<uint32_t> selfWait{0};
  thread = NativeThread::CreateSuspended([&] {
    selfWait = thread->WaitForEnd(kInfinite);
    thread.reset();  // detaches rather than joining itself
    return 0u;
  });
  WaitHandle end = thread->GetEndHandle();
  thread->Resume();
  EXPECT_EQ(EventHub::Get().Wait(end, kInfinite), kWaitObject0);
  EXPECT_EQ(selfWait, kWaitTimeout);
}

}  // namespace
}  // namespace HV::Platform
