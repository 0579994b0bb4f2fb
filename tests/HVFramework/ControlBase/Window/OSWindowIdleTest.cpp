// The dispatcher's loop wakes only for something to do: input, posted work,
// and the tick while a control of a window asked for idle time. The waits
// are counted and their time-outs read back from the headless window system.
#include "tests/HVFramework/ControlBase/Window/OSWindowFixture.h"

#include "HVFramework/Notification/ApplicationNotificationCenterName.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/Platform/Core/EventHub.h"
#include "tests/support/NotificationRecorder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace HV::Test {
namespace {

using ::testing::ElementsAre;
using Platform::kInfinite;
using Platform::MessageLoop;

class OSWindowIdle : public OSWindowFixture {
 protected:
  // Lets the loop run through a pause of the desktop of that many ticks, then
  // quits it; the number of idle ticks control "a1" had meanwhile.
  size_t RunThroughAPause(uint32_t ticks) {
    TakeInput();
    system.ScriptPause(ticks * MessageLoop::kTickMilliseconds);
    system.Script(Event(Kind::Quit));
    EXPECT_EQ(dispatcher.Run(), 0);
    const std::vector<std::string> input = TakeInput();
    return static_cast<size_t>(std::count(input.begin(), input.end(), "a1:idle"));
  }
};

TEST_F(OSWindowIdle, AWindowWhoseControlsAskNoIdleTimeSleepsThroughAPause) {
  const RCPtr<OSWindow> main = Open(u"main");
  const uint32_t start = Platform::GetTickCount();
  EXPECT_EQ(RunThroughAPause(10), 0u);
  // One sleep without time-out, the whole pause long: no tick woke the loop.
  EXPECT_EQ(system.GetWaitCount(), 1u);
  EXPECT_EQ(system.GetLastWaitTimeout(), kInfinite);
  EXPECT_EQ(Platform::GetTickCount() - start, 10 * MessageLoop::kTickMilliseconds);
}

TEST_F(OSWindowIdle, AControlHasIdleTicksWhileItAsksForThemAndTheLoopSleepsOnceItStops) {
  const RCPtr<OSWindow> main = Open(u"main");
  InputControl& ticking = Input(*main, u"a1");
  ticking.StartIdleNotifications();
  EXPECT_GE(RunThroughAPause(10), 10u);
  EXPECT_EQ(system.GetWaitCount(), 10u);
  EXPECT_EQ(system.GetLastWaitTimeout(), MessageLoop::kTickMilliseconds);

  ticking.StopIdleNotifications();
  EXPECT_EQ(RunThroughAPause(10), 0u);
  EXPECT_EQ(system.GetWaitCount(), 11u);
  EXPECT_EQ(system.GetLastWaitTimeout(), kInfinite);
}

TEST_F(OSWindowIdle, TheIconGoesToTheWindowSystemWhenItIsBounded) {
  const RCPtr<OSWindow> main = Open(u"main");
  using Image = Platform::WindowIconImage;
  const Image small{16, 16, std::vector<uint32_t>(16 * 16, 0xFF204080)};
  const Image large{256, 256, std::vector<uint32_t>(256 * 256, 0x80FFFFFF)};
  struct Case {
    const char* what;
    std::vector<Image> images;
    bool isTaken;
  };
  const Case cases[] = {
      {"two sizes", {small, large}, true},
      {"none", {}, false},
      {"one too wide", {small, {257, 1, std::vector<uint32_t>(257, 0)}}, false},
      {"pixels missing", {{16, 16, std::vector<uint32_t>(16 * 16 - 1, 0)}}, false},
      {"pixels left over", {{2, 2, std::vector<uint32_t>(5, 0)}}, false},
      {"empty", {{0, 0, {}}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<Image> before = system.GetWindowIcon(main->GetWindowId());
    EXPECT_EQ(main->SetIcon(c.images), c.isTaken);
    const std::vector<Image> now = system.GetWindowIcon(main->GetWindowId());
    const std::vector<Image>& expected = c.isTaken ? c.images : before;
    ASSERT_EQ(now.size(), expected.size());
    for (size_t i = 0; i < now.size(); ++i) {
      EXPECT_EQ(now[i].width, expected[i].width);
      EXPECT_EQ(now[i].pixels, expected[i].pixels);
    }
  }
  main->Destroy();
  EXPECT_FALSE(main->SetIcon({small}));
}

class OSWindowIdleThreads : public OSWindowFixture {};

// A worker's notification reaches the application while the loop sleeps
// without time-out: the post itself wakes it.
TEST_F(OSWindowIdleThreads, ANotificationPostedFromAnotherThreadWakesTheSleepingLoop) {
  const RCPtr<OSWindow> main = Open(u"main");
  const RCPtr<LNotificationCenter> center =
      GetNotificationCenterManager()->GetCenter(StringW(kApplicationNotificationCenterName));
  NotificationLog log;
  const RCPtr<NotificationRecorder> recorder = NotificationRecorder::Create("app", log);
  recorder->RegisterNotification(RCPtr<LNotificationDistributor>(center.Get()), u"NID_TEST_WORK_DONE");
  const std::thread::id loopThread = std::this_thread::get_id();
  bool isOnLoopThread = false;
  recorder->SetReaction([&](NotificationRecorder&, const RCPtr<LNotificationDistributor>&,
                            const RCPtr<LNotification>&) {
    isOnLoopThread = std::this_thread::get_id() == loopThread;
    dispatcher.Quit(0);
  });
  std::thread worker([&] {
    Platform::EventHub::Get().WaitUntilBlocked(Platform::BlockedWaits{.untimed = 1});
    center->CreateAndPostNotification(u"NID_TEST_WORK_DONE");
  });
  EXPECT_EQ(dispatcher.Run(), 0);
  worker.join();
  EXPECT_THAT(log.Deliveries(), ElementsAre("app:NID_TEST_WORK_DONE"));
  EXPECT_TRUE(isOnLoopThread);
  EXPECT_EQ(system.GetLastWaitTimeout(), kInfinite);
  recorder->UnregisterAllNotifications();
}

}  // namespace
}  // namespace HV::Test
