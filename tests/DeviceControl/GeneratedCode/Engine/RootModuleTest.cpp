// The root module over a real device link: offline (no library) and online
// (the fake device-control library): what it stores, announces and sends.

#include "DeviceControl/GeneratedCode/Engine/Src/RootModule.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/DefaultRecords.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "DeviceControl/GeneratedCode/Engine/Src/ParamCache.h"
#include "HVFramework/Utilities/Storage/ParamRanges.h"
#include "Panel/Engine/DeviceLink/DeviceCommunicationInterface.h"
#include "tests/support/DevicePackets.h"
#include "tests/support/FakeDeviceControlClient.h"
#include "tests/support/VariantSamples.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace {

using FakeDeviceControl::Call;
using HV::ParamDescriptor;
using HV::RCPtr;
using HV::Variant;
using HV::Test::FakeDeviceControlClientLibrary;
using HV::Test::FakeDeviceControlLibraryPath;
using HV::Test::MakeText;
using HV::Test::MakeValue;

Variant Record(std::vector<uint8_t> bytes) { return MakeRecordValue(bytes); }

// Keeps every change the root hands to its owner.
struct ChangeLog {
  static void Receive(void* context, const HV::Array<HV::ParamValue>& values) {
    auto& log = *static_cast<ChangeLog*>(context);
    std::lock_guard lock(log.mutex);
    log.batchSizes.push_back(values.GetCount());
    for (uint32_t i = 0; i < values.GetCount(); ++i) log.changes.push_back(*values.GetItemPtr(i));
    log.changed.notify_all();
  }
  std::vector<HV::ParamValue> Get() {
    std::lock_guard lock(mutex);
    return changes;
  }
  // The changes once there are at least count.
  std::vector<HV::ParamValue> WaitFor(size_t count) {
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return changes.size() >= count; });
    return changes;
  }
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<uint32_t> batchSizes;
  std::vector<HV::ParamValue> changes;
};

class RootModuleFixture : public ::testing::Test {
 protected:
  // A root over a link loading libraryPath, initialised at firstParamID and
  // connected to one device.
  void Start(const std::string& libraryPath, int32_t firstParamID = 0) {
    mLink = LDeviceCommunicationInterface::Create(HV::StringW(libraryPath.c_str()).GetText());
    const bool linkFailed = mLink->Initialize() < 0;
    mRoot = LRootModule::Create(linkFailed);
    mRoot->Initialize(&ChangeLog::Receive, &mLog, LParamCache::Create(kDeviceParamCount), mLink,
                      firstParamID);
    mConnectResult = mRoot->ConnectDevice(mDevice);
  }
  void TearDown() override {
    if (mRoot) mRoot->StopReceiving();
    mRoot = nullptr;
    mLink = nullptr;
  }

  ChangeLog mLog;
  RCPtr<LDeviceCommunicationInterface> mLink;
  RCPtr<LRootModule> mRoot;
  HV::HResult mConnectResult = 0;
  const Variant mDevice = MakeText("keyboard");
};

class LRootModuleOffline : public RootModuleFixture {
 protected:
  void SetUp() override { Start("/nonexistent/DeviceControlClient.dll"); }
};

class LRootModuleOnline : public RootModuleFixture {
 protected:
  void SetUp() override {
    Start(FakeDeviceControlLibraryPath());
    ASSERT_EQ(mConnectResult, 0);
    ASSERT_FALSE(mRoot->IsOffline());
  }
  FakeDeviceControlClientLibrary mFake{FakeDeviceControlLibraryPath()};
};

TEST_F(LRootModuleOffline, AFailedConnectionMakesTheRootOffline) {
  EXPECT_EQ(mConnectResult, -1);
  EXPECT_TRUE(mRoot->IsOffline());
}

TEST_F(LRootModuleOffline, QueriesAnswerTheDefaultRecords) {
  Variant out;
  EXPECT_EQ(mRoot->QueryParamValue(ParamDescriptor(0), &out), HV::S_OK);
  EXPECT_EQ(out, Record(MakeDefaultRecord(ElementKind::PresetName, 0)));
  EXPECT_EQ(mRoot->QueryParamValue(ParamDescriptor(130), &out), HV::S_OK);
  EXPECT_EQ(out, Record(MakeDefaultRecord(ElementKind::TouchPadAxis, 1)));
  EXPECT_TRUE(mLog.Get().empty());
}

TEST_F(LRootModuleOffline, AnEditIsStoredAndAnnouncedOnce) {
  const Variant name = Record({'A', 'B', 'C', 0, 0, 0});
  EXPECT_EQ(mRoot->ApplyParamValue(ParamDescriptor(0), name), HV::S_OK);
  EXPECT_EQ(mRoot->ApplyParamValue(ParamDescriptor(0), name), HV::S_OK);
  const auto changes = mLog.Get();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].paramID, 0);
  EXPECT_EQ(changes[0].value, name);
  EXPECT_EQ(mLog.batchSizes, std::vector<uint32_t>{1});

  Variant out;
  EXPECT_EQ(mRoot->QueryParamValue(ParamDescriptor(0), &out), HV::S_OK);
  EXPECT_EQ(out, name);
}

TEST_F(LRootModuleOffline, StoresOnlyInsideTheBlock) {
  for (int32_t id : {131, -1, 1000}) {
    EXPECT_EQ(mRoot->SetRootParamValue(ParamDescriptor(id), Record({1})), -1) << id;
  }
  EXPECT_TRUE(mLog.Get().empty());
}

TEST_F(LRootModuleOffline, NegativeIDsGoToTheLibraryThatIsNotThere) {
  Variant out;
  for (int32_t id : {-2, -5, -8, -9}) EXPECT_EQ(mRoot->QueryParamValue(ParamDescriptor(id), &out), -1) << id;
}

class LRootModuleAtFirstID1000 : public RootModuleFixture {
 protected:
  void SetUp() override { Start("/nonexistent/DeviceControlClient.dll", 1000); }
};

TEST_F(LRootModuleAtFirstID1000, TheBlockMovesWithTheFirstID) {
  Variant out;
  EXPECT_EQ(mRoot->QueryParamValue(ParamDescriptor(1000), &out), HV::S_OK);
  EXPECT_EQ(out, Record(MakeDefaultRecord(ElementKind::PresetName, 0)));
  EXPECT_EQ(mRoot->SetRootParamValue(ParamDescriptor(999), Record({1})), -1);
  EXPECT_EQ(mRoot->SetRootParamValue(ParamDescriptor(1131), Record({1})), -1);
  EXPECT_EQ(mRoot->SetRootParamValue(ParamDescriptor(1130), Record({1})), 0);
  ASSERT_EQ(mLog.Get().size(), 1u);
  EXPECT_EQ(mLog.Get()[0].paramID, 1130);
}

TEST_F(LRootModuleOnline, ConnectingAsksForTheBlockAndTheDeviceValue) {
  const auto log = mFake->GetLog();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].call, Call::DisconnectDevice);
  EXPECT_EQ(log[1].call, Call::ConnectDevice);
  EXPECT_STREQ(reinterpret_cast<const char*>(log[1].device.data.data()), "keyboard");
  EXPECT_EQ(log[2].call, Call::RequestParamRanges);
  HV::ParamRanges ranges;
  ranges.Set(HV::kVariantList, log[2].argument.data.data(),
             static_cast<uint32_t>(log[2].argument.data.size()));
  HV::ParamRange range;
  ASSERT_EQ(ranges.GetRange(0, range), 0);
  EXPECT_EQ(range.first, 0);
  EXPECT_EQ(range.count, 131);
  EXPECT_EQ(log[3].call, Call::RequestParamValues);
}

TEST_F(LRootModuleOnline, QueriesAnswerTheDefaultRecords) {
  Variant out;
  EXPECT_EQ(mRoot->QueryParamValue(ParamDescriptor(0), &out), HV::S_OK);
  EXPECT_EQ(out, Record(MakeDefaultRecord(ElementKind::PresetName, 0)));
}

TEST_F(LRootModuleOnline, AnEditIsStoredAnnouncedAndSentWithItsExactBytes) {
  const std::vector<uint8_t> bytes = {3, 0, 74, 0, 0, 127};
  EXPECT_EQ(mRoot->ApplyParamValue(ParamDescriptor(97), Record(bytes)), 0);
  EXPECT_EQ(mRoot->ApplyParamValue(ParamDescriptor(97), Record(bytes)), 0);

  const auto changes = mLog.Get();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].paramID, 97);
  const auto log = mFake->GetLog();
  ASSERT_EQ(mFake->GetCallCount(Call::SetParamValue), 2);
  EXPECT_EQ(log.back().paramID, 97);
  EXPECT_EQ(log.back().argument.type, HV::kVariantBytes);
  EXPECT_EQ(log.back().argument.data, bytes);
}

TEST_F(LRootModuleOnline, AnEmptyValueIsNotStoredButStillSent) {
  EXPECT_EQ(mRoot->ApplyParamValue(ParamDescriptor(5), Variant()), 0);
  EXPECT_TRUE(mLog.Get().empty());
  EXPECT_EQ(mFake->GetCallCount(Call::SetParamValue), 1);
  Variant out;
  mRoot->QueryParamValue(ParamDescriptor(5), &out);
  EXPECT_EQ(out, Record(MakeDefaultRecord(ElementKind::Wheel, 0)));
}

TEST_F(LRootModuleOnline, AnIDNoElementOwnsGoesOnlyToTheLink) {
  mFake->SetResult(Call::SetParamValue, 6);
  EXPECT_EQ(mRoot->ApplyParamValue(ParamDescriptor(131), Record({1})), 6);
  EXPECT_TRUE(mLog.Get().empty());
  EXPECT_EQ(mFake->GetLog().back().paramID, 131);

  Variant out = Record({9});
  EXPECT_EQ(mRoot->QueryParamValue(ParamDescriptor(131), &out), HV::E_FAIL);
  EXPECT_TRUE(out.IsEmpty());
}

TEST_F(LRootModuleOnline, TheLinksResultIsTheEditsResult) {
  mFake->SetResult(Call::SetParamValue, -7);
  EXPECT_EQ(mRoot->ApplyParamValue(ParamDescriptor(9), Record({1, 2})), -7);
  ASSERT_EQ(mLog.Get().size(), 1u);  // stored before it was sent
}

TEST_F(LRootModuleOnline, ALocalReplyComesBackAsAnUnstoredChange) {
  EXPECT_EQ(mRoot->ApplyParamValue(ParamDescriptor(-4), MakeValue(HV::kVariantInt64, int64_t{77})), HV::S_OK);
  const auto changes = mLog.Get();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].paramID, -4);
  EXPECT_TRUE(changes[0].descriptor.IsEmpty());
  Variant token;
  changes[0].value.GetListItem(0, token);
  EXPECT_EQ(token.GetInt64(), 77);
  EXPECT_EQ(mFake->GetCallCount(Call::SetParamValue), 0);
}

TEST_F(LRootModuleOnline, ReceivedValuesAreStoredAndAnnouncedButNeverSentBack) {
  HV::ParamValues packet;
  packet.Set(HV::kVariantList, nullptr, 0);
  const std::vector<uint8_t> data =
      HV::Test::PacketData({{9, Record({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14})},
                            {-2, MakeValue(HV::kVariantBool, true)},
                            {-130, Record({5})}});
  packet.Set(HV::kVariantList, data.data(), static_cast<uint32_t>(data.size()));
  EXPECT_EQ(mRoot->OnParamValuesReceived(packet), HV::S_OK);

  const auto changes = mLog.Get();
  ASSERT_EQ(changes.size(), 3u);
  EXPECT_EQ(changes[0].paramID, 9);
  EXPECT_EQ(changes[1].paramID, -2);
  EXPECT_TRUE(changes[1].value.GetBool());
  EXPECT_EQ(changes[2].paramID, -130);
  EXPECT_EQ(mFake->GetCallCount(Call::SetParamValue), 0);

  Variant out;
  EXPECT_EQ(mRoot->QueryParamValue(ParamDescriptor(9), &out), HV::S_OK);
  EXPECT_EQ(out, Record({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
}

TEST_F(LRootModuleOnline, AnUnreadableRecordIsAnnouncedWithIDMinusOne) {
  // A list whose one item is a plain value, not a (value, ID, descriptor) list.
  const std::vector<uint8_t> data = HV::Test::ListData({MakeValue(HV::kVariantInt32, 5)});
  HV::ParamValues packet;
  packet.Set(HV::kVariantList, data.data(), static_cast<uint32_t>(data.size()));
  mRoot->OnParamValuesReceived(packet);
  const auto changes = mLog.Get();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].paramID, -1);
  EXPECT_TRUE(changes[0].descriptor.IsEmpty());
}

// Packets arrive on the library's thread while this thread edits, reads and
// asks the link for its own reply directly: the root's and the link's locks
// are taken on every path, and no path holds one while it takes the other.
class LRootModuleOnlineThreads : public LRootModuleOnline {};

TEST_F(LRootModuleOnlineThreads, PacketsEditsRepliesAndReadsAtOnceLoseNothing) {
  constexpr int kRounds = 40;
  for (int i = 0; i < kRounds; ++i) {
    const auto mark = static_cast<uint8_t>(i);
    mFake->Emit(
        HV::Test::PacketData({{9 + i % 8, Record({mark, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13})}}));
    EXPECT_EQ(mRoot->ApplyParamValue(ParamDescriptor(61), Record({2, 0, mark, 0, 10, 100})), 0);
    EXPECT_EQ(mLink->SendParamValue(ParamDescriptor(LDeviceCommunicationInterface::kLocalReplyParamID),
                                    MakeValue(HV::kVariantInt64, int64_t{i})),
              HV::S_OK);
    Variant out;
    EXPECT_EQ(mRoot->QueryParamValue(ParamDescriptor(9 + (i + 3) % 8), &out), HV::S_OK);
  }
  // Every packet, every edit and every reply is handed to the owner once.
  const auto changes = mLog.WaitFor(3 * kRounds);
  EXPECT_EQ(changes.size(), static_cast<size_t>(3 * kRounds));
  Variant last;
  EXPECT_EQ(mRoot->QueryParamValue(ParamDescriptor(61), &last), HV::S_OK);
  EXPECT_EQ(last, Record({2, 0, kRounds - 1, 0, 10, 100}));
}

}  // namespace
