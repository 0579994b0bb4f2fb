#include "HVFramework/Notification/NotificationName.h"

#include "HVFramework/Notification/LNotificationCenter.h"
#include "HVFramework/Notification/LNotificationHandler.h"
#include "HVFramework/Notification/NotificationNames.h"
#include "tests/support/NotificationRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV {
namespace {

using Test::NotificationLog;
using Test::NotificationRecorder;

// Names no other test interns, so the order of interning is this file's.
constexpr NotificationName kInternedByTextFirst{u"NID_NAME_TEST_TEXT_FIRST"};
constexpr NotificationName kInternedByConstantFirst{u"NID_NAME_TEST_CONSTANT_FIRST"};
constexpr NotificationName kSkinNamed{u"NID_NAME_TEST_SKIN"};
constexpr NotificationName kOther{u"NID_NAME_TEST_OTHER"};

TEST(NotificationName, AConstantAndItsTextInternToOneIdentifierInEitherOrder) {
  // The text is interned from a buffer of its own, as a skin's reader does.
  const std::u16string text = kInternedByTextFirst.GetText();
  const WChar* const byText = InternNotificationName(text.c_str());
  EXPECT_EQ(kInternedByTextFirst.GetId(), byText);

  const WChar* const byConstant = kInternedByConstantFirst.GetId();
  ASSERT_NE(byConstant, nullptr);
  EXPECT_NE(byConstant, kInternedByConstantFirst.GetText());  // the table's copy, not the literal
  const std::u16string later = kInternedByConstantFirst.GetText();
  EXPECT_EQ(InternNotificationName(later.c_str()), byConstant);
  EXPECT_EQ(kInternedByConstantFirst.GetId(), byConstant);
}

TEST(NotificationName, ANotificationHasTheNameOfItsConstantAndOfNoOther) {
  const std::u16string text = kSkinNamed.GetText();
  for (const RCPtr<LNotification>& notification :
       {LNotification::Create(kSkinNamed), LNotification::Create(text.c_str())}) {
    ASSERT_TRUE(notification);
    EXPECT_EQ(notification->GetName(), kSkinNamed.GetId());
    EXPECT_TRUE(notification->HasName(kSkinNamed));
    EXPECT_FALSE(notification->HasName(kOther));
  }
  EXPECT_FALSE(kSkinNamed.IsId(nullptr));
}

// A skin registers and posts by text; code does so by constant. Each way
// round, the listener hears the notification, sent at once or posted.
struct Naming {
  const char* what;
  bool registerByConstant;
  bool sendByConstant;
};

class NamedByTextOrConstant : public ::testing::TestWithParam<Naming> {
 protected:
  void Register(const RCPtr<LNotificationDistributor>& source) {
    if (GetParam().registerByConstant)
      mRecorder->RegisterNotification(source, kSkinNamed);
    else
      mRecorder->RegisterNotification(source, mText.c_str());
  }
  RCPtr<LNotification> Make() const {
    return GetParam().sendByConstant ? LNotification::Create(kSkinNamed) : LNotification::Create(mText.c_str());
  }
  void TearDown() override { mRecorder->UnregisterAllNotifications(); }

  const std::u16string mText = kSkinNamed.GetText();
  NotificationLog mLog;
  const RCPtr<NotificationRecorder> mRecorder = NotificationRecorder::Create("listener", mLog);
};

TEST_P(NamedByTextOrConstant, TheListenerHearsASend) {
  const RCPtr<LNotificationDistributor> distributor(new LNotificationDistributor);
  Register(distributor);
  EXPECT_EQ(distributor->SendNotification(Make()), S_OK);
  EXPECT_EQ(mLog.Deliveries(), std::vector<std::string>{"listener:NID_NAME_TEST_SKIN"});
}

TEST_P(NamedByTextOrConstant, TheListenerHearsAPost) {
  RCPtr<LNotificationCenter> centre = LNotificationCenter::Create(u"names");
  Register(centre);
  if (GetParam().sendByConstant)
    EXPECT_EQ(centre->CreateAndPostNotification(kSkinNamed), S_OK);
  else
    EXPECT_EQ(centre->CreateAndPostNotification(mText.c_str()), S_OK);
  centre->ProcessNotifications(false);
  EXPECT_EQ(mLog.Deliveries(), std::vector<std::string>{"listener:NID_NAME_TEST_SKIN"});
  mRecorder->UnregisterAllNotifications();
  centre->Shutdown();
}

TEST_P(NamedByTextOrConstant, TheRegistrationIsOneWhicheverWayItIsNamed) {
  const RCPtr<LNotificationDistributor> distributor(new LNotificationDistributor);
  Register(distributor);
  int32_t flags = -1;
  EXPECT_EQ(distributor->GetClientFlags(mRecorder, mText.c_str(), flags), S_OK);
  EXPECT_EQ(distributor->RegisterClient(mRecorder, kSkinNamed, 0), S_FALSE);  // registered already
  EXPECT_EQ(mRecorder->UnregisterNotification(distributor, GetParam().registerByConstant
                                                               ? mText.c_str()
                                                               : kSkinNamed.GetId()),
            S_OK);
  EXPECT_EQ(distributor->GetRegistrationCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(NotificationName, NamedByTextOrConstant,
                         ::testing::Values(Naming{"TextToConstant", false, true},
                                           Naming{"ConstantToText", true, false},
                                           Naming{"ConstantToConstant", true, true}),
                         [](const ::testing::TestParamInfo<Naming>& row) { return row.param.what; });

// A handler table entered by constant answers for the text and the other way
// round.
class HandledOwner : public LNotificationClient {
 public:
  HResult OnName(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) { return ++mCalls; }
  int32_t mCalls = 0;
};

TEST(NotificationName, AHandlerEnteredByConstantIsFoundByText) {
  const RCPtr<HandledOwner> owner(new HandledOwner);
  const RCPtr<LNotificationDistributor> distributor(new LNotificationDistributor);
  const RCPtr<LNotificationHandler<HandledOwner>> table(new LNotificationHandler<HandledOwner>(owner.Get()));
  LNotificationHandler<HandledOwner>& handler = *table;
  const std::u16string text = kSkinNamed.GetText();
  ASSERT_EQ(handler.SetNotification(&HandledOwner::OnName, 7, distributor, kSkinNamed), S_OK);

  EXPECT_TRUE(handler.HasHandler(distributor, text.c_str()));
  EXPECT_EQ(handler.Dispatch(distributor, LNotification::Create(text.c_str())), 1);
  EXPECT_EQ(handler.Dispatch(distributor, LNotification::Create(kOther)), S_OK);  // no entry
  LNotificationHandler<HandledOwner>::Handler found = nullptr;
  intptr_t value = 0;
  EXPECT_TRUE(handler.GetNotification(distributor, text.c_str(), found, value));
  EXPECT_EQ(value, 7);
  EXPECT_TRUE(handler.RemoveHandler(distributor, kSkinNamed));
  EXPECT_FALSE(handler.HasHandler(distributor, text.c_str()));
  owner->UnregisterAllNotifications();
}

}  // namespace
}  // namespace HV
