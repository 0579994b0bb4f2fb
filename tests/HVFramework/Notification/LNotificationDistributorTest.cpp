#include "HVFramework/Notification/LNotificationDistributor.h"

#include "HVFramework/Notification/LNotificationClientPool.h"
#include "HVFramework/Notification/NotificationNames.h"
#include "tests/support/NotificationRecorder.h"
#include "tests/support/RuntimeFaultRecorder.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace HV {
namespace {

using Test::NotificationLog;
using Test::NotificationRecorder;
using Strings = std::vector<std::string>;

constexpr const WChar* kName = u"NID_VALUE_CHANGE";

// A distributor with recorders A, B and C registered for kName in that order.
class LNotificationDistributorTest : public ::testing::Test {
 public:
  void SetUp() override {
    for (const char* label : {"A", "B", "C"}) Register(label);
  }
  void TearDown() override {
    for (auto& [label, recorder] : mRecorders) recorder->UnregisterAllNotifications();
  }

  RCPtr<NotificationRecorder>& Register(const std::string& label, int32_t flags = 0) {
    RCPtr<NotificationRecorder>& recorder = mRecorders[label];
    if (!recorder) recorder = NotificationRecorder::Create(label, mLog);
    recorder->RegisterNotification(mDistributor, kName, flags);
    return recorder;
  }
  void Unregister(const std::string& label) { mRecorders.at(label)->UnregisterNotification(mDistributor, kName); }
  NotificationRecorder& At(const std::string& label) { return *mRecorders.at(label); }
  void Send() { mDistributor->SendNotification(LNotification::Create(kName)); }

 protected:
  Strings SendAndRecord() {
    mLog.Clear();
    Send();
    return mLog.Recorders();
  }

  NotificationLog mLog;
  const RCPtr<LNotificationDistributor> mDistributor{new LNotificationDistributor};
  std::map<std::string, RCPtr<NotificationRecorder>> mRecorders;
};

struct ChangeDuringDelivery {
  const char* what;
  const char* actor;  // the recorder that acts while it is being called
  std::function<void(LNotificationDistributorTest&)> change;
  Strings first;   // calls of the send during which the change happens
  Strings second;  // calls of the next send
};

std::string CaseName(const ::testing::TestParamInfo<ChangeDuringDelivery>& param) {
  return "Case" + std::to_string(param.index);
}

class DeliveryOrder : public LNotificationDistributorTest, public ::testing::WithParamInterface<ChangeDuringDelivery> {};

TEST_P(DeliveryOrder, NoOneIsSkippedOrCalledTwice) {
  const ChangeDuringDelivery& change = GetParam();
  if (change.actor[0])
    At(change.actor).SetReactionOnce(
        [this, &change](NotificationRecorder&, const auto&, const auto&) { change.change(*this); });
  EXPECT_EQ(SendAndRecord(), change.first) << change.what;
  EXPECT_EQ(SendAndRecord(), change.second) << change.what;
}

INSTANTIATE_TEST_SUITE_P(
    LNotificationDistributor, DeliveryOrder,
    ::testing::Values(
        ChangeDuringDelivery{"no change: newest first", "", nullptr, {"C", "B", "A"}, {"C", "B", "A"}},
        ChangeDuringDelivery{"B removes itself", "B", [](auto& f) { f.Unregister("B"); },
                             {"C", "B", "A"}, {"C", "A"}},
        ChangeDuringDelivery{"C removes A, not called yet", "C", [](auto& f) { f.Unregister("A"); },
                             {"C", "B"}, {"C", "B"}},
        ChangeDuringDelivery{"B removes C, called already", "B", [](auto& f) { f.Unregister("C"); },
                             {"C", "B", "A"}, {"B", "A"}},
        ChangeDuringDelivery{"C removes A and B", "C",
                             [](auto& f) {
                               f.Unregister("A");
                               f.Unregister("B");
                             }, {"C"}, {"C"}},
        ChangeDuringDelivery{"A removes everyone", "A",
                             [](auto& f) {
                               for (const char* label : {"A", "B", "C"}) f.Unregister(label);
                             },
                             {"C", "B", "A"}, {}},
        ChangeDuringDelivery{"C adds D: not called by this send", "C", [](auto& f) { f.Register("D"); },
                             {"C", "B", "A"}, {"D", "C", "B", "A"}},
        ChangeDuringDelivery{"B registers again with other flags", "B", [](auto& f) { f.Register("B", 2); },
                             {"C", "B", "A"}, {"C", "B", "A"}},
        ChangeDuringDelivery{"B removes itself and registers again", "B",
                             [](auto& f) {
                               f.Unregister("B");
                               f.Register("B");
                             }, {"C", "B", "A"},
                             {"B", "C", "A"}},
        ChangeDuringDelivery{"B sends again from inside the delivery", "B", [](auto& f) { f.Send(); },
                             {"C", "B", "C", "B", "A", "A"}, {"C", "B", "A"}}),
    CaseName);

TEST_F(LNotificationDistributorTest, ALatestOnlyClientIsSkippedByADirectSend) {
  Register("A", LNotificationClient::kLatestOnly);
  EXPECT_EQ(SendAndRecord(), (Strings{"C", "B"}));
}

TEST_F(LNotificationDistributorTest, RegisteringTwiceKeepsOneRegistrationAndTakesTheNewFlags) {
  EXPECT_EQ(mDistributor->RegisterClient(RCPtr<LNotificationClient>(&At("B")), kName, 2), S_FALSE);
  int32_t flags = -1;
  EXPECT_EQ(mDistributor->GetClientFlags(RCPtr<LNotificationClient>(&At("B")), kName, flags), S_OK);
  EXPECT_EQ(flags, 2);
  EXPECT_EQ(mDistributor->FindClientPool(InternNotificationName(kName))->GetCombinedFlags(), 2);
  EXPECT_EQ(mDistributor->GetRegistrationCount(), 3);
  EXPECT_EQ(At("B").GetRegistrationCount(), 1);
  EXPECT_EQ(SendAndRecord(), (Strings{"C", "B", "A"}));
}

TEST_F(LNotificationDistributorTest, RefusalsChangeNothing) {
  const RCPtr<LNotificationClient> none;
  const RCPtr<LNotificationClient> a(&At("A"));
  int32_t flags = 0;
  struct Case {
    const char* what;
    HResult result;
    HResult expected;
  };
  const Case cases[] = {
      {"register a null client", mDistributor->RegisterClient(none, kName, 0), E_INVALIDARG},
      {"register for an empty name", mDistributor->RegisterClient(a, u"", 0), S_FALSE},
      {"unregister a null client", mDistributor->UnregisterClient(none, kName), E_INVALIDARG},
      {"unregister an empty name", mDistributor->UnregisterClient(a, u""), E_INVALIDARG},
      {"unregister a name never registered", mDistributor->UnregisterClient(a, u"NID_LEFT_CLICK"), S_FALSE},
      {"send null", mDistributor->SendNotification(nullptr), E_INVALIDARG},
      {"send a name nobody registered", mDistributor->SendNotification(LNotification::Create(u"NID_LEFT_CLICK")),
       S_FALSE},
      {"flags of a name never registered", mDistributor->GetClientFlags(a, u"NID_LEFT_CLICK", flags), E_FAIL},
      {"flags of an empty name", mDistributor->GetClientFlags(a, u"", flags), E_FAIL},
      {"remove a null client from all", mDistributor->UnregisterClientFromAll(none), E_INVALIDARG},
  };
  for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.what;
  EXPECT_EQ(mDistributor->GetRegistrationCount(), 3);
  EXPECT_TRUE(mLog.Recorders().empty());
}

TEST_F(LNotificationDistributorTest, APoolThatHasBecomeEmptyAnswersNobodyListening) {
  for (const char* label : {"A", "B", "C"}) Unregister(label);
  EXPECT_EQ(mDistributor->SendNotification(LNotification::Create(kName)), S_FALSE);
  EXPECT_TRUE(mDistributor->FindClientPool(InternNotificationName(kName)));  // the pool stays
}

TEST_F(LNotificationDistributorTest, TheFirstRegistrationEntersTheProcessListAndTheLastLeavesIt) {
  const RCPtr<LNotificationDistributor> other(new LNotificationDistributor);
  EXPECT_FALSE(other->IsInDistributorList());
  At("A").RegisterNotification(other, kName);
  At("B").RegisterNotification(other, u"NID_LEFT_CLICK");
  EXPECT_TRUE(other->IsInDistributorList());
  At("A").UnregisterNotification(other, kName);
  EXPECT_TRUE(other->IsInDistributorList());
  At("B").UnregisterNotification(other, u"NID_LEFT_CLICK");
  EXPECT_FALSE(other->IsInDistributorList());
  EXPECT_EQ(other->GetRefCount(), 1);
  EXPECT_EQ(other->GetInternalRefCount(), 0);
}

TEST_F(LNotificationDistributorTest, AClientsExceptionIsReportedAndTheClientsAfterItStillHearTheSend) {
  HV::Test::RuntimeFaultRecorder faults;
  At("B").SetReactionOnce([](auto&, const auto&, const auto&) { throw std::runtime_error("client failed"); });
  EXPECT_EQ(mDistributor->SendNotification(LNotification::Create(kName)), S_OK);
  EXPECT_EQ(mLog.Recorders(), (Strings{"C", "B", "A"}));
  EXPECT_EQ(faults.GetFaults(), Strings{"client failed"});
  EXPECT_EQ(SendAndRecord(), (Strings{"C", "B", "A"}));
  EXPECT_EQ(At("A").GetRefCount(), 2);  // the fixture's and the registration's
}

TEST_F(LNotificationDistributorTest, AnExceptionOfNoStandardTypeIsReportedToo) {
  HV::Test::RuntimeFaultRecorder faults;
  At("A").SetReactionOnce([](auto&, const auto&, const auto&) { throw 42; });
  EXPECT_EQ(SendAndRecord(), (Strings{"C", "B", "A"}));
  EXPECT_EQ(faults.GetFaults(), Strings{"an exception of unknown type"});
}

TEST_F(LNotificationDistributorTest, SendToClientDeliversToOneRecord) {
  const RCPtr<LNotificationDistributor::LNotificationClientPool> pool =
      mDistributor->FindClientPool(InternNotificationName(kName));
  const RCPtr<LNotification> notification = LNotification::Create(kName);
  EXPECT_EQ(pool->SendToClient(mDistributor, 3, notification), 3);
  EXPECT_EQ(pool->SendToClient(mDistributor, 1, notification), 1);
  EXPECT_EQ(mLog.Recorders(), (Strings{"B"}));

  // A record that removes itself leaves the caller on the same index, and the
  // next one down is the next older record.
  At("C").SetReactionOnce([](NotificationRecorder& self, const auto& source, const auto&) {
    self.UnregisterNotification(source, kName);
  });
  mLog.Clear();
  EXPECT_EQ(pool->SendToClient(mDistributor, 2, notification), 2);
  EXPECT_EQ(pool->SendToClient(mDistributor, 1, notification), 1);
  EXPECT_EQ(mLog.Recorders(), (Strings{"C", "B"}));

  // A record that removes an older one moves down by one.
  At("B").SetReactionOnce([this](auto&, const auto&, const auto&) { Unregister("A"); });
  EXPECT_EQ(pool->SendToClient(mDistributor, 1, notification), 0);
  EXPECT_EQ(pool->GetCount(), 1u);
}

// The delivery's snapshot holds the records: a client unregistered and let go
// during a delivery is not called by it and lives until it ends.
TEST_F(LNotificationDistributorTest, AClientLetGoDuringADeliveryIsNotCalledAndDiesAfterIt) {
  At("C").SetReactionOnce([this](auto&, const auto&, const auto&) {
    Unregister("A");
    mRecorders.erase("A");
  });
  At("B").SetReactionOnce(
      [this](auto&, const auto&, const auto&) { EXPECT_TRUE(mLog.GetDestroyed().empty()); });
  EXPECT_EQ(SendAndRecord(), (Strings{"C", "B"}));
  EXPECT_EQ(mLog.GetDestroyed(), Strings{"A"});
}

// The records of the delivery's snapshot hold the distributor: a client that
// ends every registration and lets go of the distributor's last outside
// reference during a delivery leaves it alive until the delivery ends.
TEST(LNotificationDistributorLifetime, ADistributorLetGoDuringADeliveryDiesAfterIt) {
  class WatchedDistributor : public LNotificationDistributor {
   public:
    explicit WatchedDistributor(bool& destroyed) : mDestroyed(destroyed) {}
    ~WatchedDistributor() override { mDestroyed = true; }

   private:
    bool& mDestroyed;
  };
  bool destroyed = false;
  NotificationLog log;
  RCPtr<LNotificationDistributor> distributor(new WatchedDistributor(destroyed));
  const RCPtr<NotificationRecorder> older = NotificationRecorder::Create("older", log);
  const RCPtr<NotificationRecorder> newer = NotificationRecorder::Create("newer", log);
  older->RegisterNotification(distributor, kName);
  newer->RegisterNotification(distributor, kName);
  newer->SetReactionOnce([&](NotificationRecorder& self, const RCPtr<LNotificationDistributor>& source,
                             const RCPtr<LNotification>&) {
    older->UnregisterAllNotifications();
    self.UnregisterAllNotifications();
    distributor = nullptr;
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(source->GetRegistrationCount(), 0);  // the source is still whole
  });
  // The sender holds no reference of its own: the reaction drops the last one.
  LNotificationDistributor* const sender = distributor.Get();
  EXPECT_EQ(sender->SendNotification(LNotification::Create(kName)), S_OK);
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(log.Recorders(), Strings{"newer"});  // the older one had left
}

TEST_F(LNotificationDistributorTest, UnregisterAllClientsAsksEveryClient) {
  At("A").RegisterNotification(mDistributor, u"NID_LEFT_CLICK");
  EXPECT_TRUE(mDistributor->IsInDistributorList());
  EXPECT_EQ(mDistributor->UnregisterAllClients(), S_OK);
  EXPECT_EQ(mDistributor->GetRegistrationCount(), 0);
  EXPECT_FALSE(mDistributor->IsInDistributorList());
  for (const char* label : {"A", "B", "C"}) {
    EXPECT_EQ(At(label).GetRegistrationCount(), 0) << label;
    EXPECT_EQ(At(label).GetDistributors().GetCount(), 0u) << label;
    EXPECT_EQ(At(label).GetRefCount(), 1) << label;
  }
  EXPECT_EQ(mDistributor->GetRefCount(), 1);
  EXPECT_EQ(mDistributor->GetInternalRefCount(), 0);
}

// Whether anyone listens, counting only the registrations without given flags
// (the window's idle clients that need the tick, say).
TEST_F(LNotificationDistributorTest, HasClientsCountsOnlyRegistrationsWithoutTheFlagsNamed) {
  const NotificationName name{kName};
  const NotificationName other{u"NID_SOMETHING_ELSE"};
  constexpr int32_t kWithout = LNotificationClient::kWithoutTicks;
  EXPECT_TRUE(mDistributor->HasClients(name));
  EXPECT_FALSE(mDistributor->HasClients(other));
  for (const char* label : {"A", "B", "C"}) Register(label, kWithout);  // the flags are replaced
  EXPECT_TRUE(mDistributor->HasClients(name));
  EXPECT_FALSE(mDistributor->HasClients(name, kWithout));
  Register("B", kWithout | LNotificationClient::kLatestOnly);
  EXPECT_FALSE(mDistributor->HasClients(name, kWithout));
  Register("C");
  EXPECT_TRUE(mDistributor->HasClients(name, kWithout));
  Unregister("C");
  EXPECT_FALSE(mDistributor->HasClients(name, kWithout));
}

}  // namespace
}  // namespace HV
