#include "HVFramework/Notification/LNotificationCenterManager.h"

#include "tests/support/NotificationRecorder.h"

#include <gtest/gtest.h>

namespace HV::Test {
namespace {

TEST(LNotificationCenterManager, ReleasingTheManagerEndsItsCentresAndTheNextCallMakesAFreshOne) {
  NotificationLog log;
  const RCPtr<NotificationRecorder> client = NotificationRecorder::Create("client", log);
  LNotificationCenter* former = GetApplicationNotificationCenter().Get();
  client->RegisterNotification(RCPtr<LNotificationDistributor>(former), u"NID_APP_EXIT_REQ");
  ASSERT_EQ(client->GetRegistrationCount(), 1);

  ReleaseNotificationCenterManager();

  // The centre asked its client to leave as it ended.
  EXPECT_EQ(client->GetRegistrationCount(), 0);
  const RCPtr<LNotificationCenter> fresh = GetApplicationNotificationCenter();
  ASSERT_TRUE(fresh);
  EXPECT_TRUE(fresh->GetName() == StringW(kApplicationNotificationCenterName));
  EXPECT_EQ(GetNotificationCenterManager()->FindCenter(StringW(u"application")), fresh);
  EXPECT_EQ(GetApplicationNotificationCenter(), fresh);
}

}  // namespace
}  // namespace HV::Test
