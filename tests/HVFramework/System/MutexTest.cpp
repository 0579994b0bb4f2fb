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

}  // namespace
}  // namespace HV
