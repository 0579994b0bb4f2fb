#include "HVFramework/Notification/LNotificationClient.h"

#include "HVFramework/Notification/LNotificationDistributor.h"
#include "HVFramework/Notification/NotificationNames.h"
#include "tests/support/NotificationRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV {
namespace {

using Test::NotificationLog;
using Test::NotificationRecorder;
using Strings = std::vector<std::string>;

// A distributor that logs its destruction.
class LoggedDistributor : public LNotificationDistributor {
 public:
  explicit LoggedDistributor(Strings& log) : mLog(log) {}
  ~LoggedDistributor() override { mLog.push_back("distributor gone"); }

 private:
  Strings& mLog;
};

TEST(LNotificationClient, RegisteringAnswersTheInternedNameOrNull) {
  NotificationLog log;
  const RCPtr<NotificationRecorder> client = NotificationRecorder::Create("A", log);
  const RCPtr<LNotificationDistributor> distributor(new LNotificationDistributor);
  EXPECT_EQ(client->RegisterNotification(distributor, u"NID_LEFT_CLICK"), InternNotificationName(u"NID_LEFT_CLICK"));
  EXPECT_EQ(client->RegisterNotification(nullptr, u"NID_LEFT_CLICK"), nullptr);
  EXPECT_EQ(client->RegisterNotification(distributor, u""), nullptr);
  EXPECT_EQ(client->GetRegistrationCount(), 1);
  EXPECT_EQ(client->GetInternalRefCount(), 1);
  EXPECT_EQ(client->UnregisterAllNotifications(), 1);
  EXPECT_EQ(client->GetInternalRefCount(), 0);
}

TEST(LNotificationClient, ADistributorIsListedOnceWhileAnyNameIsRegisteredThere) {
  NotificationLog log;
  const RCPtr<NotificationRecorder> client = NotificationRecorder::Create("A", log);
  const RCPtr<LNotificationDistributor> distributor(new LNotificationDistributor);
  client->RegisterNotification(distributor, u"NID_LEFT_CLICK");
  client->RegisterNotification(distributor, u"NID_RIGHT_CLICK");
  client->RegisterNotification(distributor, u"NID_RIGHT_CLICK", LNotificationClient::kLatestOnly);
  EXPECT_EQ(client->GetRegistrationCount(), 2);
  EXPECT_EQ(client->GetDistributors().GetCount(), 1u);

  EXPECT_EQ(client->UnregisterNotification(distributor, u"NID_LEFT_CLICK"), S_OK);
  EXPECT_EQ(client->GetDistributors().GetCount(), 1u);
  EXPECT_EQ(client->UnregisterNotification(distributor, u"NID_LEFT_CLICK"), S_FALSE);
  EXPECT_EQ(client->UnregisterNotification(distributor, u"NID_RIGHT_CLICK"), S_OK);
  EXPECT_EQ(client->GetDistributors().GetCount(), 0u);
  EXPECT_EQ(client->GetRegistrationCount(), 0);
  EXPECT_EQ(client->GetInternalRefCount(), 0);
  EXPECT_EQ(client->GetRefCount(), 1);
}

TEST(LNotificationClient, UnregisteringChecksArgumentsOnlyWhileRegistered) {
  NotificationLog log;
  const RCPtr<NotificationRecorder> client = NotificationRecorder::Create("A", log);
  const RCPtr<LNotificationDistributor> distributor(new LNotificationDistributor);
  EXPECT_EQ(client->UnregisterNotification(nullptr, nullptr), S_FALSE);
  client->RegisterNotification(distributor, u"NID_LEFT_CLICK");
  EXPECT_EQ(client->UnregisterNotification(nullptr, u"NID_LEFT_CLICK"), E_INVALIDARG);
  EXPECT_EQ(client->UnregisterNotification(distributor, nullptr), E_INVALIDARG);
  EXPECT_EQ(client->GetRegistrationCount(), 1);
  EXPECT_EQ(client->GetInternalRefCount(), 1);
  client->UnregisterAllNotifications();
}

TEST(LNotificationClient, AClientHeldOnlyByItsRegistrationsDiesAtItsLastOutsideRelease) {
  NotificationLog log;
  const RCPtr<LNotificationDistributor> first(new LNotificationDistributor);
  const RCPtr<LNotificationDistributor> second(new LNotificationDistributor);
  RCPtr<NotificationRecorder> client = NotificationRecorder::Create("A", log);
  client->RegisterNotification(first, u"NID_LEFT_CLICK");
  client->RegisterNotification(first, u"NID_VALUE_CHANGE");
  client->RegisterNotification(second, u"NID_LEFT_CLICK");

  client = nullptr;
  EXPECT_EQ(log.GetDestroyed(), Strings{"A"});
  for (const auto* distributor : {&first, &second}) {
    EXPECT_EQ((*distributor)->GetRegistrationCount(), 0);
    EXPECT_FALSE((*distributor)->IsInDistributorList());
    EXPECT_EQ((*distributor)->GetRefCount(), 1);
    EXPECT_EQ((*distributor)->GetInternalRefCount(), 0);
  }
}

TEST(LNotificationClient, ADistributorHeldOnlyByRegistrationsLivesUntilTheLastOneEnds) {
  NotificationLog log;
  Strings distributorLog;
  const RCPtr<NotificationRecorder> a = NotificationRecorder::Create("A", log);
  const RCPtr<NotificationRecorder> b = NotificationRecorder::Create("B", log);
  RCPtr<LNotificationDistributor> distributor(new LoggedDistributor(distributorLog));
  a->RegisterNotification(distributor, u"NID_LEFT_CLICK");
  b->RegisterNotification(distributor, u"NID_LEFT_CLICK");
  LNotificationDistributor* raw = distributor.Get();
  distributor = nullptr;
  EXPECT_TRUE(distributorLog.empty());
  EXPECT_TRUE(raw->IsInDistributorList());

  raw->SendNotification(LNotification::Create(u"NID_LEFT_CLICK"));
  EXPECT_EQ(log.Recorders(), (Strings{"B", "A"}));

  EXPECT_EQ(a->UnregisterAllNotifications(), 1);
  EXPECT_TRUE(distributorLog.empty());
  EXPECT_EQ(b->UnregisterAllNotifications(), 1);
  EXPECT_EQ(distributorLog, Strings{"distributor gone"});
  EXPECT_EQ(b->GetDistributors().GetCount(), 0u);
}

TEST(LNotificationClient, UnregisterAllNotificationsEndsEveryRegistration) {
  NotificationLog log;
  const RCPtr<NotificationRecorder> client = NotificationRecorder::Create("A", log);
  const RCPtr<LNotificationDistributor> first(new LNotificationDistributor);
  const RCPtr<LNotificationDistributor> second(new LNotificationDistributor);
  client->RegisterNotification(first, u"NID_LEFT_CLICK");
  client->RegisterNotification(second, u"NID_LEFT_CLICK");
  client->RegisterNotification(second, u"NID_MOUSE_UP");
  EXPECT_EQ(client->UnregisterAllNotifications(), 3);
  EXPECT_EQ(client->UnregisterAllNotifications(), 0);
  EXPECT_FALSE(first->HasClient(client));
  EXPECT_FALSE(second->HasClient(client));
  EXPECT_EQ(client->GetRefCount(), 1);
  EXPECT_EQ(client->GetInternalRefCount(), 0);
}

}  // namespace
}  // namespace HV
