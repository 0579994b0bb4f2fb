// The termination signals caught in this process: each reaches the handler on
// the catcher's own thread, and the handlers found before come back.
#include "HVFramework/Platform/Core/TerminationSignals.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <csignal>
#include <mutex>
#include <thread>
#include <vector>

namespace HV::Platform {
namespace {

TEST(TerminationSignalsThreads, EachSignalReachesTheHandlerOnItsThreadAndTheHandlersFoundComeBack) {
  for (const int signal : TerminationSignals::kSignals) {
    SCOPED_TRACE(signal);
    // A handler of the test's stands for what the program had before.
    struct sigaction ignore {}, original {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ASSERT_EQ(sigaction(signal, &ignore, &original), 0);
    std::mutex lock;
    std::condition_variable arrived;
    std::vector<int> caught;
    std::thread::id handlerThread;
    {
      const TerminationSignals signals([&](int number) {
        std::lock_guard<std::mutex> hold(lock);
        caught.push_back(number);
        handlerThread = std::this_thread::get_id();
        arrived.notify_one();
      });
      ASSERT_TRUE(signals.IsCatching());
      ASSERT_EQ(raise(signal), 0);
      std::unique_lock<std::mutex> hold(lock);
      arrived.wait(hold, [&] { return !caught.empty(); });
      EXPECT_EQ(caught, std::vector<int>{signal});
      EXPECT_NE(handlerThread, std::this_thread::get_id());
    }
    struct sigaction after {};
    ASSERT_EQ(sigaction(signal, &original, &after), 0);
    EXPECT_EQ(after.sa_handler, SIG_IGN);
  }
}

}  // namespace
}  // namespace HV::Platform
