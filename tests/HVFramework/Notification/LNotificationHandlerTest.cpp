#include "HVFramework/Notification/LNotificationHandler.h"

#include "HVFramework/Notification/CAutoNotificationDisabler.h"

#include "HVFramework/Notification/LNotificationDistributor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace HV {
namespace {

using Strings = std::vector<std::string>;

// Two levels of a receiving class chain the way controls are built: each
// level holds its own table, the most derived level is tried first, a
// non-zero result ends the delivery, and nothing is handled before the
// object is marked created.
class BaseReceiver : public LNotificationClient {
 public:
  BaseReceiver() : mBaseTable(new LNotificationHandler<BaseReceiver>(this)) {}

  void ReceiveNotification(const RCPtr<LNotificationDistributor>& source,
                           const RCPtr<LNotification>& notification) override {
    if (mCreated) DispatchLevels(source, notification);
  }
  HResult UnregisterNotification(const RCPtr<LNotificationDistributor>& source, const WChar* name) override {
    RemoveHandlers(source, name);
    return LNotificationClient::UnregisterNotification(source, name);
  }

  HResult OnBase(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
    mCalls.push_back("base");
    return mBaseResult;
  }

  bool mCreated = false;
  HResult mBaseResult = 0;
  Strings mCalls;
  const RCPtr<LNotificationHandler<BaseReceiver>> mBaseTable;

 protected:
  virtual HResult DispatchLevels(const RCPtr<LNotificationDistributor>& source,
                                 const RCPtr<LNotification>& notification) {
    return mBaseTable->Dispatch(source, notification);
  }
  virtual void RemoveHandlers(const RCPtr<LNotificationDistributor>& source, const WChar* name) {
    mBaseTable->RemoveHandler(source, name);
  }
};

class DerivedReceiver : public BaseReceiver {
 public:
  DerivedReceiver() : mDerivedTable(new LNotificationHandler<DerivedReceiver>(this)) {}

  HResult OnDerived(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
    mCalls.push_back("derived");
    return mDerivedResult;
  }
  HResult OnOther(const RCPtr<LNotificationDistributor>&, const RCPtr<LNotification>&) {
    mCalls.push_back("other");
    return 1;
  }

  HResult mDerivedResult = 0;
  const RCPtr<LNotificationHandler<DerivedReceiver>> mDerivedTable;

 protected:
  HResult DispatchLevels(const RCPtr<LNotificationDistributor>& source,
                         const RCPtr<LNotification>& notification) override {
    if (const HResult result = mDerivedTable->Dispatch(source, notification)) return result;
    return BaseReceiver::DispatchLevels(source, notification);
  }
  void RemoveHandlers(const RCPtr<LNotificationDistributor>& source, const WChar* name) override {
    mDerivedTable->RemoveHandler(source, name);
    BaseReceiver::RemoveHandlers(source, name);
  }
};

constexpr const WChar* kName = u"NID_VALUE_CHANGE";

class LNotificationHandlerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mReceiver->mDerivedTable->SetNotification(&DerivedReceiver::OnDerived, mSource, kName), S_OK);
    ASSERT_EQ(mReceiver->mBaseTable->SetNotification(&BaseReceiver::OnBase, mSource, kName), S_OK);
    mReceiver->mCreated = true;
  }
  void TearDown() override { mReceiver->UnregisterAllNotifications(); }

  Strings Send(const WChar* name = kName) {
    mReceiver->mCalls.clear();
    mSource->SendNotification(LNotification::Create(name));
    return mReceiver->mCalls;
  }

  const RCPtr<LNotificationDistributor> mSource{new LNotificationDistributor};
  const RCPtr<DerivedReceiver> mReceiver{new DerivedReceiver};
};

TEST_F(LNotificationHandlerTest, TheMostDerivedLevelRunsFirstAndANonZeroResultStops) {
  struct Case {
    HResult derivedResult;
    Strings calls;
  };
  for (const Case& c : {Case{0, {"derived", "base"}}, Case{1, {"derived"}}, Case{E_FAIL, {"derived"}}}) {
    mReceiver->mDerivedResult = c.derivedResult;
    EXPECT_EQ(Send(), c.calls) << c.derivedResult;
  }
}

TEST_F(LNotificationHandlerTest, NothingRunsBeforeTheObjectIsCreated) {
  mReceiver->mCreated = false;
  EXPECT_TRUE(Send().empty());
}

TEST_F(LNotificationHandlerTest, SubscribingTwiceKeepsTheFirstHandlerAndOneRegistration) {
  EXPECT_EQ(mReceiver->mDerivedTable->SetNotification(&DerivedReceiver::OnOther, mSource, kName,
                                                      LNotificationClient::kLatestOnly),
            S_OK);
  EXPECT_EQ(mReceiver->GetRegistrationCount(), 1);
  int32_t flags = 0;
  EXPECT_EQ(mSource->GetClientFlags(mReceiver, kName, flags), S_OK);
  EXPECT_EQ(flags, LNotificationClient::kLatestOnly);
  EXPECT_EQ(mReceiver->mDerivedTable->SetNotification(&DerivedReceiver::OnOther, mSource, kName, 0), S_OK);
  EXPECT_EQ(Send(), (Strings{"derived", "base"}));
}

TEST_F(LNotificationHandlerTest, DispatchWithoutAMatchingEntryAnswersZero) {
  const RCPtr<LNotificationDistributor> other(new LNotificationDistributor);
  EXPECT_EQ(mReceiver->mDerivedTable->Dispatch(other, LNotification::Create(kName)), S_OK);
  EXPECT_EQ(mReceiver->mDerivedTable->Dispatch(mSource, LNotification::Create(u"NID_LEFT_CLICK")), S_OK);
  EXPECT_TRUE(mReceiver->mCalls.empty());
}

TEST_F(LNotificationHandlerTest, AnAddedHandlerMatchesOnlyDeliveriesWithoutASource) {
  ASSERT_EQ(mReceiver->mDerivedTable->AddHandler(&DerivedReceiver::OnOther, u"NID_SIBLING_KEY"), S_OK);
  EXPECT_EQ(mReceiver->mDerivedTable->AddHandler(&DerivedReceiver::OnOther, u""), E_FAIL);
  EXPECT_EQ(mReceiver->GetRegistrationCount(), 1);  // registered nowhere

  const RCPtr<LNotification> key = LNotification::Create(u"NID_SIBLING_KEY");
  EXPECT_EQ(mReceiver->mDerivedTable->Dispatch(mSource, key), S_OK);
  EXPECT_TRUE(mReceiver->mCalls.empty());
  EXPECT_EQ(mReceiver->mDerivedTable->Dispatch(nullptr, key), 1);
  EXPECT_EQ(mReceiver->mCalls, Strings{"other"});
}

TEST_F(LNotificationHandlerTest, RemoveHandlerAnswersWhetherAnEntryWent) {
  EXPECT_TRUE(mReceiver->mBaseTable->RemoveHandler(mSource, kName));
  EXPECT_FALSE(mReceiver->mBaseTable->RemoveHandler(mSource, kName));
  EXPECT_FALSE(mReceiver->mBaseTable->RemoveHandler(mSource, u"NID_LEFT_CLICK"));
  EXPECT_EQ(Send(), Strings{"derived"});
}

TEST_F(LNotificationHandlerTest, UnsubscribingRemovesTheEntriesOfEveryLevelAndTheRegistration) {
  EXPECT_EQ(mReceiver->UnregisterNotification(mSource, InternNotificationName(kName)), S_OK);
  EXPECT_FALSE(mReceiver->mDerivedTable->HasHandler(mSource, kName));
  EXPECT_FALSE(mReceiver->mBaseTable->HasHandler(mSource, kName));
  EXPECT_FALSE(mSource->HasClient(mReceiver));
  EXPECT_EQ(mReceiver->mDerivedTable->Dispatch(mSource, LNotification::Create(kName)), S_OK);
  EXPECT_TRUE(Send().empty());
}

TEST_F(LNotificationHandlerTest, SubscribingRefusesANullSourceOrName) {
  EXPECT_EQ(mReceiver->mBaseTable->SetNotification(&BaseReceiver::OnBase, nullptr, kName), E_INVALIDARG);
  EXPECT_EQ(mReceiver->mBaseTable->SetNotification(&BaseReceiver::OnBase, mSource, u""), E_FAIL);
  EXPECT_EQ(mReceiver->GetRegistrationCount(), 1);
}

TEST_F(LNotificationHandlerTest, AnEntryGivesBackItsHandlerAndValue) {
  const RCPtr<LNotificationDistributor> other(new LNotificationDistributor);
  ASSERT_EQ(mReceiver->mDerivedTable->SetNotification(&DerivedReceiver::OnOther, 42, other, kName), S_OK);
  LNotificationHandler<DerivedReceiver>::Handler handler = nullptr;
  intptr_t value = -1;
  ASSERT_TRUE(mReceiver->mDerivedTable->GetNotification(other, kName, handler, value));
  EXPECT_EQ(handler, &DerivedReceiver::OnOther);
  EXPECT_EQ(value, 42);
  ASSERT_TRUE(mReceiver->mDerivedTable->GetNotification(mSource, kName, handler, value));
  EXPECT_EQ(handler, &DerivedReceiver::OnDerived);
  EXPECT_EQ(value, 0);  // entered without a value

  handler = nullptr;
  value = 7;
  EXPECT_FALSE(mReceiver->mDerivedTable->GetNotification(other, u"NID_LEFT_CLICK", handler, value));
  EXPECT_EQ(handler, nullptr);
  EXPECT_EQ(value, 7);
  EXPECT_EQ(mReceiver->mDerivedTable->SetNotification(&DerivedReceiver::OnOther, 1, nullptr, kName),
            E_INVALIDARG);
}

TEST_F(LNotificationHandlerTest, ADisablerSilencesOneRegistrationForItsScope) {
  {
    CAutoNotificationDisabler<DerivedReceiver> quiet(mReceiver->mDerivedTable, mSource, kName);
    EXPECT_FALSE(mReceiver->mDerivedTable->HasHandler(mSource, kName));
    EXPECT_FALSE(mSource->HasClient(mReceiver));
    EXPECT_TRUE(Send().empty());
  }
  // This receiver's unsubscription clears every level; the disabler restores its own.
  EXPECT_EQ(Send(), Strings{"derived"});
  EXPECT_EQ(mReceiver->GetRegistrationCount(), 1);
}

TEST_F(LNotificationHandlerTest, ADisablerRestoresTheValueAndTheRegistrationFlags) {
  const RCPtr<LNotificationDistributor> other(new LNotificationDistributor);
  ASSERT_EQ(mReceiver->mDerivedTable->SetNotification(&DerivedReceiver::OnOther, 5, other, kName,
                                                      LNotificationClient::kLatestOnly),
            S_OK);
  { CAutoNotificationDisabler<DerivedReceiver> quiet(mReceiver->mDerivedTable, other, kName); }
  LNotificationHandler<DerivedReceiver>::Handler handler = nullptr;
  intptr_t value = 0;
  ASSERT_TRUE(mReceiver->mDerivedTable->GetNotification(other, kName, handler, value));
  EXPECT_EQ(handler, &DerivedReceiver::OnOther);
  EXPECT_EQ(value, 5);
  int32_t flags = 0;
  EXPECT_EQ(other->GetClientFlags(mReceiver, kName, flags), S_OK);
  EXPECT_EQ(flags, LNotificationClient::kLatestOnly);
  EXPECT_EQ(Send(), (Strings{"derived", "base"}));  // the other source's scope left this one alone
}

TEST_F(LNotificationHandlerTest, ADisablerWithoutARegistrationThrowsFailedResult) {
  try {
    CAutoNotificationDisabler<DerivedReceiver> quiet(mReceiver->mDerivedTable, mSource, u"NID_LEFT_CLICK");
    FAIL() << "no exception";
  } catch (const Exception<FailedResultException>& error) {
    EXPECT_THAT(error.what(), ::testing::StartsWith("Failed Result : "));
    EXPECT_THAT(error.what(),
                ::testing::HasSubstr(
                    " : HV::CAutoNotificationDisabler<class HV::(anonymous namespace)::DerivedReceiver>"
                    "::CAutoNotificationDisabler : "));
  }
}

}  // namespace
}  // namespace HV
