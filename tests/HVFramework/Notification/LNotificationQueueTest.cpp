#include "HVFramework/Notification/LNotificationQueue.h"

#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/ObjectBase/WrapperStringable.h"
#include "tests/support/NotificationRecorder.h"
#include "tests/support/RuntimeFaultRecorder.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace HV {
namespace {

using Test::NotificationLog;
using Test::NotificationRecorder;
using Strings = std::vector<std::string>;

// A queue delivering through a distributor where recorder "R" listens to
// every name the tests post.
class LNotificationQueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mQueue->SetDistributor(mDistributor), S_OK);
    for (const WChar* name : {u"NID_MOUSE_DOWN", u"NID_MOUSE_MOVE", u"NID_MOUSE_UP", u"NID_IDLE"})
      mRecorder->RegisterNotification(mDistributor, name);
  }
  void TearDown() override {
    mRecorder->UnregisterAllNotifications();
    mQueue->Shutdown();
  }

  HResult Post(const WChar* name) { return mQueue->CreateAndPostNotification(name); }

  NotificationLog mLog;
  const RCPtr<LNotificationDistributor> mDistributor{new LNotificationDistributor};
  const RCPtr<LNotificationQueue> mQueue{new LNotificationQueue};
  const RCPtr<NotificationRecorder> mRecorder = NotificationRecorder::Create("R", mLog);
};

TEST_F(LNotificationQueueTest, ADrainDeliversFirstInFirstOut) {
  for (const WChar* name : {u"NID_MOUSE_DOWN", u"NID_MOUSE_MOVE", u"NID_MOUSE_UP"}) ASSERT_EQ(Post(name), S_OK);
  EXPECT_FALSE(mQueue->ProcessNotifications(false));
  EXPECT_EQ(mLog.Deliveries(), (Strings{"R:NID_MOUSE_DOWN", "R:NID_MOUSE_MOVE", "R:NID_MOUSE_UP"}));
  EXPECT_EQ(mQueue->GetCount(), 0u);
}

TEST_F(LNotificationQueueTest, TheRingGrowsAndKeepsTheOrder) {
  std::vector<const LNotification*> posted;
  for (int i = 0; i < 300; ++i) {
    const RCPtr<LNotification> notification = LNotification::Create(i % 2 ? u"NID_MOUSE_MOVE" : u"NID_MOUSE_UP");
    ASSERT_EQ(mQueue->PostNotification(notification), S_OK) << i;
    posted.push_back(notification.Get());
  }
  EXPECT_EQ(mQueue->GetCapacity(), 301u);  // grown one slot at a time; one slot stays free
  EXPECT_FALSE(mQueue->ProcessNotifications(false));
  std::vector<const LNotification*> delivered;
  for (const auto& entry : mLog.GetEntries()) delivered.push_back(entry.notification.Get());
  EXPECT_EQ(delivered, posted);
}

TEST_F(LNotificationQueueTest, ANotificationIsQueuedOnceAtATime) {
  const RCPtr<LNotification> notification = LNotification::Create(u"NID_MOUSE_UP");
  EXPECT_EQ(mQueue->PostNotification(notification), S_OK);
  EXPECT_TRUE(notification->IsQueued());
  EXPECT_EQ(mQueue->PostNotification(notification), E_INVALIDARG);
  EXPECT_EQ(mQueue->PostNotification(nullptr), E_INVALIDARG);
  mQueue->ProcessNotifications(false);
  EXPECT_FALSE(notification->IsQueued());
  EXPECT_EQ(mQueue->PostNotification(notification), S_OK);
  mQueue->ProcessNotifications(false);
  EXPECT_EQ(mLog.Deliveries(), (Strings{"R:NID_MOUSE_UP", "R:NID_MOUSE_UP"}));
}

TEST_F(LNotificationQueueTest, APostDuringADrainWaitsForTheNextDrain) {
  mRecorder->SetReactionOnce([this](auto&, const auto&, const auto&) { Post(u"NID_MOUSE_UP"); });
  Post(u"NID_MOUSE_DOWN");
  EXPECT_TRUE(mQueue->ProcessNotifications(false));
  EXPECT_EQ(mLog.Deliveries(), Strings{"R:NID_MOUSE_DOWN"});
  EXPECT_FALSE(mQueue->ProcessNotifications(false));
  EXPECT_EQ(mLog.Deliveries(), (Strings{"R:NID_MOUSE_DOWN", "R:NID_MOUSE_UP"}));
}

TEST_F(LNotificationQueueTest, ADrainOfAnEmptyQueueSendsIdleOnceWhenAsked) {
  EXPECT_FALSE(mQueue->ProcessNotifications(false));
  EXPECT_TRUE(mLog.Deliveries().empty());
  EXPECT_FALSE(mQueue->ProcessNotifications(true));
  EXPECT_EQ(mLog.Deliveries(), Strings{"R:NID_IDLE"});
}

TEST_F(LNotificationQueueTest, ANestedDrainDeliversNothingButIdle) {
  bool nestedResult = false;
  mRecorder->SetReactionOnce(
      [&](auto&, const auto&, const auto&) { nestedResult = mQueue->ProcessNotifications(true); });
  Post(u"NID_MOUSE_DOWN");
  Post(u"NID_MOUSE_UP");
  EXPECT_FALSE(mQueue->ProcessNotifications(false));
  EXPECT_TRUE(nestedResult);  // NID_MOUSE_UP was still waiting
  EXPECT_EQ(mLog.Deliveries(), (Strings{"R:NID_MOUSE_DOWN", "R:NID_IDLE", "R:NID_MOUSE_UP"}));
}

TEST_F(LNotificationQueueTest, AThrowingClientCostsOneDeliveryAndTheDrainGoesOn) {
  HV::Test::RuntimeFaultRecorder faults;
  mRecorder->SetReactionOnce([](auto&, const auto&, const auto&) { throw std::runtime_error("client failed"); });
  const RCPtr<LNotification> first = LNotification::Create(u"NID_MOUSE_DOWN");
  mQueue->PostNotification(first);
  Post(u"NID_MOUSE_UP");
  EXPECT_FALSE(mQueue->ProcessNotifications(false));
  EXPECT_FALSE(first->IsQueued());
  EXPECT_EQ(mLog.Deliveries(), (Strings{"R:NID_MOUSE_DOWN", "R:NID_MOUSE_UP"}));
  EXPECT_EQ(faults.GetFaults(), Strings{"client failed"});
  EXPECT_EQ(Post(u"NID_MOUSE_MOVE"), S_OK);  // not stuck "processing"
  EXPECT_FALSE(mQueue->ProcessNotifications(false));
  EXPECT_EQ(mLog.Deliveries().back(), "R:NID_MOUSE_MOVE");
}

TEST_F(LNotificationQueueTest, ADrainStopsCleanlyWhenAClientEmptiesTheQueue) {
  mRecorder->SetReactionOnce([this](auto&, const auto&, const auto&) { mQueue->DiscardNotifications(); });
  const RCPtr<LNotification> discarded = LNotification::Create(u"NID_MOUSE_UP");
  Post(u"NID_MOUSE_DOWN");
  mQueue->PostNotification(discarded);
  EXPECT_FALSE(mQueue->ProcessNotifications(false));
  EXPECT_EQ(mLog.Deliveries(), Strings{"R:NID_MOUSE_DOWN"});
  EXPECT_FALSE(discarded->IsQueued());
}

TEST_F(LNotificationQueueTest, OnlyTheLatestStatusTextReachesALatestOnlyClient) {
  const RCPtr<NotificationRecorder> statusBar = NotificationRecorder::Create("latest", mLog);
  const RCPtr<NotificationRecorder> other = NotificationRecorder::Create("all", mLog);
  other->RegisterNotification(mDistributor, u"NID_SET_STATUS_TEXT");
  statusBar->RegisterNotification(mDistributor, u"NID_SET_STATUS_TEXT", LNotificationClient::kLatestOnly);

  for (const WChar* text : {u"one", u"two", u"three"}) {
    const RCPtr<LStringTag> payload = LStringTag::Create(StringW(text));
    ASSERT_EQ(mQueue->CreateAndPostNotification(u"NID_SET_STATUS_TEXT", payload), S_OK);
  }
  mQueue->ProcessNotifications(false);

  Strings received;
  for (const auto& entry : mLog.GetEntries())
    received.push_back(entry.recorder + ":" + HV::Test::NameText(entry.notification->GetPayload()->ToString().GetText()));
  EXPECT_EQ(received, (Strings{"all:one", "all:two", "latest:three", "all:three"}));
  statusBar->UnregisterAllNotifications();
  other->UnregisterAllNotifications();
}

TEST_F(LNotificationQueueTest, PostsNeedADistributor) {
  const RCPtr<LNotificationQueue> bare(new LNotificationQueue);
  EXPECT_EQ(bare->CreateAndPostNotification(u"NID_MOUSE_UP"), E_FAIL);
  EXPECT_EQ(bare->GetCount(), 0u);
  EXPECT_EQ(mQueue->SetDistributor(mDistributor), E_FAIL);  // set already
  bare->Shutdown();
  EXPECT_EQ(bare->SetDistributor(mDistributor), E_FAIL);  // shut down

  mQueue->Shutdown();
  EXPECT_EQ(Post(u"NID_MOUSE_UP"), E_FAIL);
}

TEST_F(LNotificationQueueTest, ThePostingReceiverQueuesACopy) {
  const RCPtr<LNotification> original = LNotification::Create(u"NID_MOUSE_UP");
  mQueue->GetPostingReceiver()->ReceiveNotification(nullptr, original);
  EXPECT_FALSE(original->IsQueued());
  EXPECT_EQ(mQueue->GetCount(), 1u);
  mQueue->ProcessNotifications(false);
  const auto entries = mLog.GetEntries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_NE(entries[0].notification, original);
  EXPECT_EQ(entries[0].notification->GetName(), original->GetName());
  EXPECT_EQ(mQueue->GetPostingReceiver()->UnregisterNotification(nullptr, nullptr), E_FAIL);
}

TEST_F(LNotificationQueueTest, ShutdownDropsWhatIsQueuedAndEndsTheQueue) {
  const RCPtr<LNotification> queued = LNotification::Create(u"NID_MOUSE_UP");
  mQueue->PostNotification(queued);
  const auto receiver = mQueue->GetPostingReceiver();
  mQueue->Shutdown();
  EXPECT_FALSE(queued->IsQueued());
  EXPECT_FALSE(mQueue->GetPostingReceiver());
  EXPECT_FALSE(mQueue->GetDistributor());
  EXPECT_EQ(mQueue->GetInternalRefCount(), 0);
  receiver->ReceiveNotification(nullptr, queued);  // dropped: the receiver has no queue now
  EXPECT_EQ(mQueue->GetCount(), 0u);
}

TEST(LNotificationCenterManager, GetCenterMakesOneCentrePerName) {
  LNotificationCenterManager& manager = *GetNotificationCenterManager();
  const RCPtr<LNotificationCenter> centre = manager.GetCenter(u"application");
  ASSERT_TRUE(centre);
  EXPECT_EQ(manager.GetCenter(u"application"), centre);
  EXPECT_EQ(manager.FindCenter(StringW(u"application")), centre);
  EXPECT_FALSE(manager.GetCenter(u""));
  EXPECT_FALSE(manager.FindCenter(u"Application"));
  EXPECT_TRUE(centre->GetName() == u"application");
}

TEST(LNotificationCenterManager, CentresDeliverToTheirOwnClientsLastMadeFirst) {
  NotificationLog log;
  LNotificationCenterManager& manager = *GetNotificationCenterManager();
  const RCPtr<LNotificationCenter> first = manager.GetCenter(u"first");
  const RCPtr<LNotificationCenter> second = manager.GetCenter(u"second");
  const RCPtr<NotificationRecorder> one = NotificationRecorder::Create("first", log);
  const RCPtr<NotificationRecorder> two = NotificationRecorder::Create("second", log);
  one->RegisterNotification(first, u"NID_APP_EXIT_REQ");
  two->RegisterNotification(second, u"NID_APP_EXIT_REQ");

  first->CreateAndPostNotification(u"NID_APP_EXIT_REQ");
  second->CreateAndPostNotification(u"NID_APP_EXIT_REQ");
  EXPECT_FALSE(manager.ProcessNotifications(false));
  EXPECT_EQ(log.Recorders(), (Strings{"second", "first"}));
  one->UnregisterAllNotifications();
  two->UnregisterAllNotifications();
}

TEST(LNotificationCenter, TheLastOutsideReleaseUnregistersTheClientsAndEndsTheCentre) {
  NotificationLog log;
  RCPtr<LNotificationCenter> centre = LNotificationCenter::Create(u"short-lived");
  RCPtr<NotificationRecorder> client = NotificationRecorder::Create("client", log);
  client->RegisterNotification(centre, u"NID_APP_EXIT_REQ");
  centre->CreateAndPostNotification(u"NID_APP_EXIT_REQ");
  EXPECT_EQ(centre->GetInternalRefCount(), 4);  // posting receiver, itself, the registration, the list

  centre = nullptr;  // the leak checker sees the centre if it stays
  EXPECT_EQ(client->GetRegistrationCount(), 0);
  EXPECT_EQ(client->GetDistributors().GetCount(), 0u);
  EXPECT_EQ(client->GetRefCount(), 1);
  EXPECT_TRUE(log.Recorders().empty());  // the queued notification was discarded
}

}  // namespace
}  // namespace HV
