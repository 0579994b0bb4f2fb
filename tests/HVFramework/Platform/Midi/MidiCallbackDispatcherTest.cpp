#include "HVFramework/Platform/Midi/MidiCallbackDispatcher.h"

#include "tests/support/PlatformTraceRecorder.h"

#include <gtest/gtest.h>

#include <future>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace HV::Platform {
namespace {

TEST(LMidiCallbackDispatcherThreads, RunsByDueTimeThenPostingOrderAndDropsByKey) {
  std::vector<std::string> ran;  // written on the dispatcher thread only
  std::thread::id runner;
  LMidiCallbackDispatcher dispatcher;
  const auto later = LMidiCallbackDispatcher::Clock::now() + std::chrono::hours(1);
  std::promise<void> posted;  // holds the dispatcher until everything is queued
  dispatcher.Post(0, [done = posted.get_future().share()] { done.wait(); });

  dispatcher.PostAt(1, later, [&] { ran.push_back("later"); });
  dispatcher.Post(2, [&] {
    ran.push_back("first");
    runner = std::this_thread::get_id();
    dispatcher.WaitUntilIdle();  // on its own thread: must not wait for itself
    dispatcher.Post(2, [&] { ran.push_back("posted by a callback"); });
  });
  dispatcher.Post(3, [&] { ran.push_back("second"); });
  dispatcher.Drop(1);
  posted.set_value();
  dispatcher.WaitUntilIdle();

  EXPECT_EQ(ran, (std::vector<std::string>{"first", "second", "posted by a callback"}));
  EXPECT_NE(runner, std::this_thread::get_id());
}

TEST(LMidiCallbackDispatcherThreads, WorkThatThrowsIsTracedAndDoesNotEndTheThread) {
  HV::Test::PlatformTraceRecorder trace;
  std::vector<std::string> ran;  // written on the dispatcher thread only
  LMidiCallbackDispatcher dispatcher;
  dispatcher.Post(1, [] { throw std::runtime_error("a client callback failed"); });
  dispatcher.Post(2, [] { throw 42; });
  dispatcher.Post(3, [&] { ran.push_back("after"); });
  dispatcher.WaitUntilIdle();

  EXPECT_EQ(ran, (std::vector<std::string>{"after"}));
  EXPECT_EQ(trace.GetLines(),
            (std::vector<std::string>{
                "A MIDI callback threw and was dropped: a client callback failed",
                "A MIDI callback threw and was dropped: an exception of unknown type"}));
}

TEST(LMidiCallbackDispatcherThreads, ShutdownDropsWhatIsQueuedAndIgnoresLaterPosts) {
  int runs = 0;
  LMidiCallbackDispatcher dispatcher;
  dispatcher.PostAt(1, LMidiCallbackDispatcher::Clock::now() + std::chrono::hours(1), [&] { ++runs; });
  dispatcher.Shutdown();
  dispatcher.Post(1, [&] { ++runs; });
  dispatcher.WaitUntilIdle();
  EXPECT_EQ(runs, 0);
}

}  // namespace
}  // namespace HV::Platform
