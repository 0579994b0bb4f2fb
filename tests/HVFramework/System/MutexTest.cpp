#include "HVFramework/System/MutexLocker.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace HV {
namespace {

TEST(Mutex, OwnerMayLockAgain) {
  Mutex mutex;
  MutexLocker outer(&mutex);
  MutexLocker inner(&mutex);
  mutex.Lock();
  mutex.Unlock();
}

TEST(MutexThreads, LockersKeepOtherThreadsOut) {
  Mutex mutex;
  int counter = 0;  // plain on purpose: the sanitizer sees any unguarded access
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 5000; ++i) {
        MutexLocker lock(&mutex);
        MutexLocker again(&mutex);
        ++counter;
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(counter, 20000);
}

// An unlock on a thread that does not hold the lock would let two threads in
// at once; the check ends the process instead.
TEST(MutexThreads, UnlockByAThreadThatDoesNotHoldItAborts) {
#if !defined(HV_ENABLE_ASSERTS)
  GTEST_SKIP() << "HV_ASSERT is off in this build";
#endif
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        Mutex mutex;
        mutex.Lock();
        std::thread([&] { mutex.Unlock(); }).join();
      },
      "Mutex.h:[0-9]+: invariant broken: IsHeldByThisThread\\(\\)");
  EXPECT_DEATH(Mutex().Unlock(), "invariant broken: IsHeldByThisThread\\(\\)");
}

TEST(Mutex, KnowsWhetherThisThreadHoldsIt) {
  Mutex mutex;
  EXPECT_FALSE(mutex.IsHeldByThisThread());
  mutex.Lock();
  mutex.Lock();
  mutex.Unlock();
  EXPECT_TRUE(mutex.IsHeldByThisThread());
  std::thread([&] { EXPECT_FALSE(mutex.IsHeldByThisThread()); }).join();
  mutex.Unlock();
  EXPECT_FALSE(mutex.IsHeldByThisThread());
}

}  // namespace
}  // namespace HV
