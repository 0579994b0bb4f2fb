// The device-status poll: when it checks, and how a suspend waits for a pass.
#include "Panel/Engine/PresetEditorCommon/LDeviceStatusPoll.h"

#include "HVFramework/Platform/Core/EventHub.h"
#include "HVFramework/System/Event.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>

namespace HV {
namespace {

using namespace std::chrono_literals;

// A check that tells when it starts and then holds the poll thread until released.
struct HeldCheck {
  void operator()() {
    ++count;
    entered.Set();
    release.Wait(kInfinite);
  }
  std::atomic<int> count = 0;
  Event entered{true};
  Event release{false};  // manual: once released, every later check runs through
};

TEST(LDeviceStatusPollThreads, SuspendWaitsForTheCheckInProgressAndNoCheckFollowsIt) {
  HeldCheck check;
  LDeviceStatusPoll poll([&] { check(); }, 1h);
  EXPECT_EQ(poll.Resume(), S_OK);  // a pass at once
  ASSERT_EQ(check.entered.Wait(kInfinite), kWaitObject0);

  std::future<HResult> suspending = std::async(std::launch::async, [&] { return poll.Suspend(); });
  // The check and the suspend both wait on an event, untimed.
  Platform::EventHub::Get().WaitUntilBlocked({0, 2});
  EXPECT_EQ(suspending.wait_for(0s), std::future_status::timeout);
  check.release.Set();
  EXPECT_EQ(suspending.get(), S_OK);
  EXPECT_FALSE(poll.IsActive());
  EXPECT_EQ(check.count, 1);
  EXPECT_EQ(poll.Suspend(), S_FALSE);
}

}  // namespace
}  // namespace HV
