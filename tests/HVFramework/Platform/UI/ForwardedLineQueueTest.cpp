#include "HVFramework/Platform/UI/ForwardedLineQueue.h"

#include "HVFramework/Platform/UI/SingleInstance.h"
#include "tests/support/PlatformTraceRecorder.h"
#include "tests/support/TemporaryFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>

namespace HV::Platform {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::SizeIs;

TEST(ForwardedLineQueue, KeepsTheFirstLinesInOrderAndDropsTheRestWithATraceLine) {
  HV::Test::PlatformTraceRecorder trace;
  ForwardedLineQueue queue;
  for (size_t i = 0; i < ForwardedLineQueue::kMaxWaitingLines; ++i)
    EXPECT_TRUE(queue.Push("line " + std::to_string(i)));
  EXPECT_FALSE(queue.Push("one too many"));
  EXPECT_THAT(trace.GetLines(), ElementsAre(HasSubstr("forwarded command line dropped")));

  const auto taken = queue.TakeAll();
  ASSERT_THAT(taken, SizeIs(ForwardedLineQueue::kMaxWaitingLines));
  EXPECT_EQ(taken.front(), "line 0");
  EXPECT_EQ(taken.back(), "line 15");
  // Taking makes room again.
  EXPECT_TRUE(queue.Push("later"));
  EXPECT_THAT(queue.TakeAll(), ElementsAre("later"));
}

// A flood of second instances while nothing takes the lines: the listener
// goes on serving, and the waiting lines stay bounded.
TEST(ForwardedLineQueueThreads, AFloodOfForwardedCommandLinesStaysBounded) {
  constexpr int kForwarded = 40;
  HV::Test::PlatformTraceRecorder trace;
  HV::Test::TemporaryFolder folder;
  ForwardedLineQueue queue;
  std::mutex lock;
  std::condition_variable served;
  int handled = 0;
  SingleInstance first(folder.GetPath(), "flood");
  ASSERT_EQ(first.Start("first", [&](const std::string& line) {
    queue.Push(line);
    {
      std::lock_guard<std::mutex> hold(lock);
      ++handled;
    }
    served.notify_one();
  }),
            SingleInstance::Role::First);
  for (int i = 0; i < kForwarded; ++i) {
    SingleInstance later(folder.GetPath(), "flood");
    ASSERT_EQ(later.Start("later " + std::to_string(i), nullptr), SingleInstance::Role::Forwarded);
  }
  {
    std::unique_lock<std::mutex> hold(lock);
    served.wait(hold, [&] { return handled == kForwarded; });
  }
  first.Stop();
  EXPECT_THAT(queue.TakeAll(), SizeIs(ForwardedLineQueue::kMaxWaitingLines));
  EXPECT_THAT(trace.GetLines(), SizeIs(kForwarded - ForwardedLineQueue::kMaxWaitingLines));
}

}  // namespace
}  // namespace HV::Platform
