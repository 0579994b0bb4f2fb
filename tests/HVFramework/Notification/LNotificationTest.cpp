#include "HVFramework/Notification/LNotification.h"

#include "HVFramework/Notification/LNotificationDistributor.h"
#include "HVFramework/Notification/LNotificationQueue.h"
#include "HVFramework/Notification/NotificationNames.h"
#include "tests/support/Probe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV {
namespace {

using Test::Probe;

TEST(LNotification, CreateInternsTheNameAndHoldsThePayload) {
  std::vector<std::string> log;
  const RCPtr<LRefCountedObject> payload(new Probe(log));
  const RCPtr<LNotification> notification = LNotification::Create(u"NID_VALUE_CHANGE", payload);
  ASSERT_TRUE(notification);
  EXPECT_EQ(notification->GetName(), InternNotificationName(u"NID_VALUE_CHANGE"));
  EXPECT_EQ(notification->GetPayload(), payload);
  EXPECT_FALSE(notification->IsQueued());
  EXPECT_FALSE(LNotification::Create(u""));
  EXPECT_FALSE(LNotification::Create(nullptr));
}

TEST(LNotification, WithoutThePoolTheLastReleaseDestroys) {
  std::vector<std::string> log;
  RCPtr<LNotification> notification =
      LNotification::Create(u"NID_VALUE_CHANGE", RCPtr<LRefCountedObject>(new Probe(log)));
  notification = nullptr;
  EXPECT_EQ(log, (std::vector<std::string>{"made", "gone"}));
  EXPECT_EQ(LNotification::GetPoolCount(), 0u);
}

class LNotificationPool : public ::testing::Test {
 protected:
  void SetUp() override { LNotification::SetPoolEnabled(true); }
  void TearDown() override { LNotification::SetPoolEnabled(false); }
};

TEST_F(LNotificationPool, TheLastReleaseKeepsTheNotificationAndReleasesItsPayload) {
  std::vector<std::string> log;
  RCPtr<LNotification> first = LNotification::Create(u"NID_VALUE_CHANGE", RCPtr<LRefCountedObject>(new Probe(log)));
  const LNotification* address = first.Get();
  first = nullptr;
  EXPECT_EQ(log, (std::vector<std::string>{"made", "gone"}));
  EXPECT_EQ(LNotification::GetPoolCount(), 1u);

  std::vector<std::string> secondLog;
  const RCPtr<LRefCountedObject> payload(new Probe(secondLog));
  const RCPtr<LNotification> second = LNotification::Create(u"NID_LEFT_CLICK", payload);
  EXPECT_EQ(second.Get(), address);
  EXPECT_EQ(second->GetName(), InternNotificationName(u"NID_LEFT_CLICK"));
  EXPECT_EQ(second->GetPayload(), payload);
  EXPECT_EQ(second->GetRefCount(), 1);
  EXPECT_EQ(LNotification::GetPoolCount(), 0u);
}

TEST_F(LNotificationPool, SparesAreHandedOutLastInFirstOut) {
  RCPtr<LNotification> a = LNotification::Create(u"NID_MOUSE_DOWN");
  RCPtr<LNotification> b = LNotification::Create(u"NID_MOUSE_UP");
  const LNotification* addressA = a.Get();
  const LNotification* addressB = b.Get();
  a = nullptr;
  b = nullptr;
  const RCPtr<LNotification> first = LNotification::Create(u"NID_MOUSE_MOVE");
  const RCPtr<LNotification> second = LNotification::Create(u"NID_MOUSE_MOVE");
  EXPECT_EQ(first.Get(), addressB);
  EXPECT_EQ(second.Get(), addressA);
}

TEST_F(LNotificationPool, DisablingThePoolDestroysEverySpare) {
  RCPtr<LNotification> a = LNotification::Create(u"NID_MOUSE_DOWN");
  RCPtr<LNotification> b = LNotification::Create(u"NID_MOUSE_UP");
  a = nullptr;
  b = nullptr;
  ASSERT_EQ(LNotification::GetPoolCount(), 2u);
  LNotification::SetPoolEnabled(false);
  EXPECT_EQ(LNotification::GetPoolCount(), 0u);
  // From now on the last release destroys (the leak checker would see a spare).
  RCPtr<LNotification> c = LNotification::Create(u"NID_MOUSE_UP");
  c = nullptr;
  EXPECT_EQ(LNotification::GetPoolCount(), 0u);
}

TEST_F(LNotificationPool, AQueuedNotificationKeepsItsPayloadUntilItsDeliveryEnds) {
  std::vector<std::string> log;
  const RCPtr<LNotificationDistributor> distributor(new LNotificationDistributor);
  const RCPtr<LNotificationQueue> queue(new LNotificationQueue);
  ASSERT_EQ(queue->SetDistributor(distributor), S_OK);

  RCPtr<LNotification> notification =
      LNotification::Create(u"NID_PARAM_MODULE_STATE_CHANGE", RCPtr<LRefCountedObject>(new Probe(log)));
  ASSERT_EQ(queue->PostNotification(notification), S_OK);
  notification = nullptr;  // the queue's reference is the last one now
  EXPECT_EQ(log, (std::vector<std::string>{"made"}));

  queue->ProcessNotifications(false);
  EXPECT_EQ(log, (std::vector<std::string>{"made", "gone"}));
  EXPECT_EQ(LNotification::GetPoolCount(), 1u);
  queue->Shutdown();
}

}  // namespace
}  // namespace HV
