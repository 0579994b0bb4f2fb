#include "HVFramework/Notification/LNotificationCenter.h"
#include "HVFramework/Notification/NotificationName.h"
#include "HVFramework/Notification/NotificationNames.h"
#include "HVFramework/ObjectBase/Holder.h"
#include "tests/support/NotificationRecorder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <string>
#include <thread>
#include <vector>

namespace HV {
namespace {

using Test::NotificationLog;
using Test::NotificationRecorder;

constexpr int kThreads = 4;
constexpr int kPerThread = 10000;

// Four threads post while this thread drains: every notification arrives
// exactly once, and the notifications of one thread arrive in its order.
TEST(LNotificationQueueThreads, EveryPostArrivesOnceAndInOrderPerThread) {
  LNotification::SetPoolEnabled(true);
  NotificationLog log;
  RCPtr<LNotificationCenter> centre = LNotificationCenter::Create(u"stress");
  const RCPtr<NotificationRecorder> recorder = NotificationRecorder::Create("R", log);
  recorder->RegisterNotification(centre, u"NID_MIDI_DATA_CAPTURED");

  std::atomic<int> failedPosts{0};
  std::vector<std::thread> posters;
  for (int t = 0; t < kThreads; ++t)
    posters.emplace_back([&, t] {
      for (int i = 0; i < kPerThread; ++i) {
        const RCPtr<LHolder<int>> payload(new LHolder<int>);
        *payload->GetValue() = t * kPerThread + i;
        if (centre->CreateAndPostNotification(u"NID_MIDI_DATA_CAPTURED", payload) != S_OK) ++failedPosts;
      }
    });

  std::vector<int> next(kThreads, 0);
  int received = 0;
  bool inOrder = true;
  while (received < kThreads * kPerThread) {
    centre->ProcessNotifications(false);
    for (const auto& entry : log.GetEntries()) {
      const int value = *DynamicCast<LHolder<int>>(entry.notification->GetPayload())->GetValue();
      const int thread = value / kPerThread;
      inOrder = inOrder && value % kPerThread == next[thread];
      ++next[thread];
      ++received;
    }
    log.Clear();
    if (failedPosts.load() > 0) break;
  }
  for (std::thread& poster : posters) poster.join();

  EXPECT_EQ(failedPosts.load(), 0);
  EXPECT_TRUE(inOrder);
  EXPECT_EQ(next, std::vector<int>(kThreads, kPerThread));
  EXPECT_FALSE(centre->ProcessNotifications(false));
  recorder->UnregisterAllNotifications();
  centre = nullptr;
  LNotification::SetPoolEnabled(false);
}

// Threads posting the same name at once: the latest-only client gets one
// notification, the one queued last.
TEST(LNotificationQueueThreads, TheLatestIsTheNotificationQueuedLast) {
  NotificationLog log;
  RCPtr<LNotificationCenter> centre = LNotificationCenter::Create(u"latest");
  const RCPtr<NotificationRecorder> all = NotificationRecorder::Create("all", log);
  const RCPtr<NotificationRecorder> latest = NotificationRecorder::Create("latest", log);
  all->RegisterNotification(centre, u"NID_SET_STATUS_TEXT");
  latest->RegisterNotification(centre, u"NID_SET_STATUS_TEXT", LNotificationClient::kLatestOnly);

  std::vector<std::thread> posters;
  for (int t = 0; t < kThreads; ++t)
    posters.emplace_back([&] {
      for (int i = 0; i < 1000; ++i) centre->CreateAndPostNotification(u"NID_SET_STATUS_TEXT");
    });
  for (std::thread& poster : posters) poster.join();
  centre->ProcessNotifications(false);

  const auto entries = log.GetEntries();
  ASSERT_EQ(entries.size(), size_t{kThreads * 1000 + 1});
  EXPECT_EQ(entries[entries.size() - 2].recorder, "latest");  // newest registration first
  EXPECT_EQ(entries[entries.size() - 2].notification, entries.back().notification);
  all->UnregisterAllNotifications();
  latest->UnregisterAllNotifications();
  centre = nullptr;
}

// Threads make and drop notifications while the pool is switched on and off:
// once it is off, no release leaves a spare behind in it.
TEST(LNotificationPoolThreads, NoSpareOutlivesSwitchingThePoolOff) {
  std::atomic<bool> done{false};
  std::atomic<int> cycles{0};
  std::vector<std::thread> users;
  for (int t = 0; t < kThreads; ++t)
    users.emplace_back([&] {
      while (!done.load()) {
        LNotification::Create(u"NID_MOUSE_MOVE", RCPtr<LRefCountedObject>(new LRefCountedObject));
        ++cycles;
      }
    });
  for (int i = 0; i < 500; ++i) {
    LNotification::SetPoolEnabled(true);
    LNotification::SetPoolEnabled(false);
  }
  const int seen = cycles.load();
  while (cycles.load() < seen + 1000) std::this_thread::yield();
  done = true;
  for (std::thread& user : users) user.join();
  EXPECT_EQ(LNotification::GetPoolCount(), 0u);
}

// Each thread keeps spares of its own: what a thread leaves behind when it
// ends goes to the process-wide pool and is handed out on any thread.
TEST(LNotificationPoolThreads, TheSpareOfAThreadThatEndedIsHandedOutElsewhere) {
  LNotification::SetPoolEnabled(true);
  const LNotification* left = nullptr;
  std::thread([&] {
    RCPtr<LNotification> notification = LNotification::Create(u"NID_MOUSE_MOVE");
    left = notification.Get();
  }).join();
  EXPECT_EQ(LNotification::GetPoolCount(), 1u);
  const RCPtr<LNotification> taken = LNotification::Create(u"NID_MOUSE_UP");
  EXPECT_EQ(taken.Get(), left);
  EXPECT_EQ(LNotification::GetPoolCount(), 0u);
  LNotification::SetPoolEnabled(false);
}

// Switching the pool off takes the spares that another thread keeps out of
// the pool at once (they are neither counted nor handed out again), also when
// the pool is switched on again before that thread makes another.
TEST(LNotificationPoolThreads, SwitchingOffTakesTheSparesOfAnotherThread) {
  LNotification::SetPoolEnabled(true);
  std::promise<void> released;
  std::promise<void> resume;
  std::thread user([&] {
    RCPtr<LNotification> a = LNotification::Create(u"NID_MOUSE_DOWN");
    RCPtr<LNotification> b = LNotification::Create(u"NID_MOUSE_UP");
    a = nullptr;
    b = nullptr;
    released.set_value();
    resume.get_future().wait();
    LNotification::Create(u"NID_MOUSE_MOVE");  // made and recycled again
  });
  released.get_future().wait();
  EXPECT_EQ(LNotification::GetPoolCount(), 2u);
  LNotification::SetPoolEnabled(false);
  EXPECT_EQ(LNotification::GetPoolCount(), 0u);
  LNotification::SetPoolEnabled(true);
  EXPECT_EQ(LNotification::GetPoolCount(), 0u);
  resume.set_value();
  user.join();
  EXPECT_EQ(LNotification::GetPoolCount(), 1u);
  LNotification::SetPoolEnabled(false);
  EXPECT_EQ(LNotification::GetPoolCount(), 0u);
}

// Threads using a name constant for the first time at once all get the
// identifier its text interns to (the constant's lazy store is race-free).
TEST(NotificationNameThreads, ThreadsFirstUsingAConstantAtOnceAgreeOnItsIdentifier) {
  static constexpr NotificationName kFresh{u"NID_THREADS_TEST_FRESH"};
  std::promise<void> start;
  const std::shared_future<void> started = start.get_future().share();
  std::vector<std::future<const WChar*>> ids;
  for (int t = 0; t < kThreads; ++t)
    ids.push_back(std::async(std::launch::async, [started] {
      started.wait();
      return LNotification::Create(kFresh)->GetName();
    }));
  start.set_value();
  const std::u16string text = kFresh.GetText();
  const WChar* const expected = InternNotificationName(text.c_str());
  for (auto& id : ids) EXPECT_EQ(id.get(), expected);
  EXPECT_EQ(kFresh.GetId(), expected);
}

// Senders on several threads while another thread registers and unregisters
// clients of the same name: the locks keep the records whole.
TEST(LNotificationDistributorThreads, SendsRaceRegistrationsSafely) {
  NotificationLog log;
  const RCPtr<LNotificationDistributor> distributor(new LNotificationDistributor);
  const RCPtr<NotificationRecorder> steady = NotificationRecorder::Create("steady", log);
  steady->RegisterNotification(distributor, u"NID_VALUE_CHANGE");

  std::atomic<bool> done{false};
  std::vector<std::thread> senders;
  std::atomic<int> sends{0};
  for (int t = 0; t < 3; ++t)
    senders.emplace_back([&] {
      while (!done.load()) {
        distributor->SendNotification(LNotification::Create(u"NID_VALUE_CHANGE"));
        ++sends;
      }
    });
  for (int i = 0; i < 300; ++i) {
    const RCPtr<NotificationRecorder> passing = NotificationRecorder::Create("passing", log);
    passing->RegisterNotification(distributor, u"NID_VALUE_CHANGE");
    passing->UnregisterNotification(distributor, u"NID_VALUE_CHANGE");
  }
  while (sends.load() < 100) std::this_thread::yield();
  done = true;
  for (std::thread& sender : senders) sender.join();

  int steadyCalls = 0;
  for (const auto& entry : log.GetEntries()) steadyCalls += entry.recorder == "steady";
  EXPECT_EQ(steadyCalls, sends.load());
  EXPECT_EQ(distributor->GetRegistrationCount(), 1);
  steady->UnregisterAllNotifications();
}

}  // namespace
}  // namespace HV
