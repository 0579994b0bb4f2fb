// The engine with the fake device-control library beside the program, as
// the program finds the real one: the calls of the start-up connection, edits
// on their way to the library, values from the library's own thread, and the
// worker's watch of the reachable devices.

#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "HVFramework/Platform/Core/Folders.h"
#include "Panel/Engine/DeviceLink/DeviceCommunicationInterface.h"
#include "tests/support/DevicePackets.h"
#include "tests/support/EngineAnnouncements.h"
#include "tests/support/FakeDeviceControlClient.h"
#include "tests/support/ShortDeviceTiming.h"
#include "tests/support/VariantSamples.h"

#include <gtest/gtest.h>

namespace {

using FakeDeviceControl::Call;
using HV::ParamDescriptor;
using HV::RCPtr;
using HV::Variant;
using HV::Test::EngineAnnouncements;
using HV::Test::FakeDeviceControlClientLibrary;
using HV::Test::MakeText;

Variant Record(std::vector<uint8_t> bytes) { return MakeRecordValue(bytes); }

// A pad record that no pad has by default.
Variant PadRecord(uint8_t mark) { return Record({mark, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}); }

std::string LibraryBesideProgram() { return HV::Platform::GetProgramFolder() + "/libDeviceControlClient.so"; }

class LRootModuleEngineWithLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mEngine->Initialize(0), HV::S_OK);
    mAnnounced.Drain();
  }
  void TearDown() override { mEngine = nullptr; }

  FakeDeviceControlClientLibrary mFake{LibraryBesideProgram()};
  EngineAnnouncements mAnnounced;
  RCPtr<LRootModuleEngine> mEngine =
      LRootModuleEngine::Create(CreateDeviceLink, HV::Test::ShortDeviceTiming());
};

TEST_F(LRootModuleEngineWithLibrary, StartUpConnectsToTheLinksOneDevice) {
  const auto log = mFake->GetLog();
  const Call expected[] = {Call::DisconnectDevice, Call::DisconnectDevice, Call::ConnectDevice,
                           Call::RequestParamRanges, Call::RequestParamValues};
  ASSERT_EQ(log.size(), std::size(expected));
  for (size_t i = 0; i < log.size(); ++i) EXPECT_EQ(log[i].call, expected[i]) << i;
  EXPECT_EQ(log[2].device.type, HV::kVariantEmpty);
  EXPECT_TRUE(mFake->HasCallback());
  EXPECT_EQ(mAnnounced.ConnectionStates(), std::vector<int32_t>{LRootModuleEngine::Connected});
  ASSERT_EQ(mAnnounced.StateChanges().size(), 1u);
  EXPECT_EQ(mAnnounced.StateChanges()[0].values.size(), 131u);
}

TEST_F(LRootModuleEngineWithLibrary, AnEditReachesTheLibraryWithItsExactBytes) {
  mAnnounced.Clear();
  const std::vector<uint8_t> bytes = {2, 0, 7, 0, 10, 100};
  EXPECT_EQ(mEngine->SetParamValue(ParamDescriptor(61), Record(bytes)), 0);
  const auto log = mFake->GetLog();
  ASSERT_EQ(log.back().call, Call::SetParamValue);
  EXPECT_EQ(log.back().paramID, 61);
  EXPECT_EQ(log.back().argument.type, HV::kVariantBytes);
  EXPECT_EQ(log.back().argument.data, bytes);
  mAnnounced.Drain();
  ASSERT_EQ(mAnnounced.StateChanges().size(), 1u);
  EXPECT_EQ(mAnnounced.StateChanges()[0].values[0].paramID, 61);
}

// A fader's record is 6 bytes: 5 and 7 are refused before the library is asked.
TEST_F(LRootModuleEngineWithLibrary, AnEditOfTheWrongLengthNeverReachesTheLibrary) {
  mAnnounced.Clear();
  EXPECT_EQ(mEngine->SetParamValue(ParamDescriptor(61), Record({2, 0, 7, 0, 10})), HV::E_INVALIDARG);
  EXPECT_EQ(mEngine->SetParamValue(ParamDescriptor(61), Record({2, 0, 7, 0, 10, 100, 1})), HV::E_INVALIDARG);
  EXPECT_EQ(mFake->GetCallCount(Call::SetParamValue), 0);
  mAnnounced.Drain();
  EXPECT_TRUE(mAnnounced.StateChanges().empty());
  EXPECT_EQ(mEngine->GetConnectionState(), LRootModuleEngine::Connected);
}

TEST_F(LRootModuleEngineWithLibrary, ALibraryFailureIsTheEditsResult) {
  mFake->SetResult(Call::SetParamValue, -5);
  EXPECT_EQ(mEngine->SetParamValue(ParamDescriptor(62), Record({1, 1, 1, 1, 1, 1})), -5);
  // The link still counts as connected.
  EXPECT_EQ(mEngine->GetConnectionState(), LRootModuleEngine::Connected);
}

class LRootModuleEngineWithLibraryThreads : public LRootModuleEngineWithLibrary {};

TEST_F(LRootModuleEngineWithLibraryThreads, ValuesFromTheLibraryAreAnnouncedInOrderAndNeverSentBack) {
  mAnnounced.Clear();
  constexpr int kPackets = 8;
  for (int i = 0; i < kPackets; ++i)
    mFake->Emit(HV::Test::PacketData({{9 + i, PadRecord(static_cast<uint8_t>(i))}}));
  ASSERT_TRUE(mAnnounced.DrainUntil([&] { return mAnnounced.StateChanges().size() >= kPackets; }));

  const auto changes = mAnnounced.StateChanges();
  ASSERT_EQ(changes.size(), static_cast<size_t>(kPackets));
  for (int i = 0; i < kPackets; ++i) {
    EXPECT_EQ(changes[i].values.at(0).paramID, 9 + i);
    EXPECT_EQ(changes[i].values.at(0).value, PadRecord(static_cast<uint8_t>(i)));
  }
  EXPECT_EQ(mFake->GetCallCount(Call::SetParamValue), 0);
  Variant out;
  EXPECT_EQ(mEngine->GetParamValue(ParamDescriptor(12), &out), HV::S_OK);
  EXPECT_EQ(out, PadRecord(3));
}

// The library's packets arrive on its own thread while the user interface
// edits, reads and asks for the link's own reply: each path takes the root's
// and the link's locks, and no path may hold one while it waits for the other.
TEST_F(LRootModuleEngineWithLibraryThreads, PacketsEditsAndReadsAtOnceKeepEveryValue) {
  mAnnounced.Clear();
  constexpr int kRounds = 40;
  for (int i = 0; i < kRounds; ++i) {
    mFake->Emit(HV::Test::PacketData({{9 + i % 8, PadRecord(static_cast<uint8_t>(i))}}));
    EXPECT_EQ(
        mEngine->SetParamValue(ParamDescriptor(61), Record({2, 0, static_cast<uint8_t>(i), 0, 10, 100})), 0);
    Variant token;
    token.Set(HV::kVariantInt64, &i, sizeof i);
    EXPECT_EQ(mEngine->SetParamValue(ParamDescriptor(-4), token), HV::S_OK);
    Variant out;
    EXPECT_EQ(mEngine->GetParamValue(ParamDescriptor(9 + (i + 3) % 8), &out), HV::S_OK);
    EXPECT_EQ(mEngine->GetConnectionState(), LRootModuleEngine::Connected);
  }
  mFake->WaitUntilEmitted();
  // Every packet, every edit and every local reply is announced once.
  ASSERT_TRUE(mAnnounced.DrainUntil([&] { return mAnnounced.StateChanges().size() >= 3 * kRounds; }));
  EXPECT_EQ(mAnnounced.StateChanges().size(), static_cast<size_t>(3 * kRounds));
  Variant last;
  EXPECT_EQ(mEngine->GetParamValue(ParamDescriptor(61), &last), HV::S_OK);
  EXPECT_EQ(last, Record({2, 0, kRounds - 1, 0, 10, 100}));
  EXPECT_EQ(mFake->GetCallCount(Call::SetParamValue), kRounds);
}

TEST_F(LRootModuleEngineWithLibraryThreads, APacketWithAZeroSizeRecordStopsThereAndDeliveryGoesOn) {
  mAnnounced.Clear();
  std::vector<uint8_t> packet = HV::Test::PacketData({{9, PadRecord(1)}});
  const std::vector<uint8_t> zero(12, 0);
  packet.insert(packet.end(), zero.begin(), zero.end());
  const std::vector<uint8_t> after = HV::Test::PacketData({{10, PadRecord(2)}});
  packet.insert(packet.end(), after.begin(), after.end());
  mFake->Emit(packet);
  mFake->Emit(HV::Test::PacketData({{11, PadRecord(3)}}));
  ASSERT_TRUE(mAnnounced.DrainUntil([&] { return mAnnounced.StateChanges().size() >= 2; }));

  const auto changes = mAnnounced.StateChanges();
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].values.at(0).paramID, 9);
  EXPECT_EQ(changes[1].values.at(0).paramID, 11);
}

// A pad's record is 14 bytes: the library's records of 13, 15 and 0 bytes
// are dropped, the good one beside them is taken.
TEST_F(LRootModuleEngineWithLibraryThreads, RecordsOfTheWrongLengthFromTheLibraryAreNotTaken) {
  mAnnounced.Clear();
  Variant before;
  ASSERT_EQ(mEngine->GetParamValue(ParamDescriptor(9), &before), HV::S_OK);
  mFake->Emit(HV::Test::PacketData({{9, Record(std::vector<uint8_t>(13, 1))},
                                    {10, Record(std::vector<uint8_t>(15, 1))},
                                    {11, Record({})},
                                    {12, PadRecord(7)}}));
  mFake->Emit(HV::Test::PacketData({{13, PadRecord(8)}}));
  ASSERT_TRUE(mAnnounced.DrainUntil([&] { return mAnnounced.StateChanges().size() >= 2; }));

  const auto changes = mAnnounced.StateChanges();
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].values.at(0).paramID, 12);
  EXPECT_EQ(changes[1].values.at(0).paramID, 13);
  Variant after;
  EXPECT_EQ(mEngine->GetParamValue(ParamDescriptor(9), &after), HV::S_OK);
  EXPECT_EQ(after, before);
}

TEST_F(LRootModuleEngineWithLibraryThreads, WhileActiveTheWorkerAnnouncesTheReachableDevices) {
  mAnnounced.Clear();
  mFake->SetDevices(HV::kVariantList, HV::Test::ListData({MakeText("a"), MakeText("b")}));
  EXPECT_EQ(mEngine->SetActive(true), HV::S_OK);
  EXPECT_EQ(mEngine->SetActive(true), HV::S_OK);
  ASSERT_TRUE(mAnnounced.DrainUntil([&] { return !mAnnounced.DeviceCounts().empty(); }));
  EXPECT_EQ(mAnnounced.DeviceCounts(), std::vector<unsigned int>{2});

  HV::Array<Variant> devices;
  EXPECT_EQ(mEngine->GetDeviceList(&devices), HV::S_OK);
  ASSERT_EQ(devices.GetCount(), 2u);
  EXPECT_STREQ(devices.GetItemPtr(0)->GetText(), "a");

  // One device goes: the worker's next query sees it.
  mFake->SetDevices(HV::kVariantList, HV::Test::ListData({MakeText("b")}));
  ASSERT_TRUE(mAnnounced.DrainUntil([&] { return mAnnounced.DeviceCounts().size() >= 2; }));
  EXPECT_EQ(mAnnounced.DeviceCounts(), (std::vector<unsigned int>{2, 1}));
  EXPECT_EQ(mEngine->SetActive(false), HV::S_OK);
}

TEST_F(LRootModuleEngineWithLibraryThreads, AFailedQueryLeavesTheListAndAnnouncesNothing) {
  mFake->SetDevices(HV::kVariantList, HV::Test::ListData({MakeText("a")}));
  ASSERT_EQ(mEngine->SetActive(true), HV::S_OK);
  ASSERT_TRUE(mAnnounced.DrainUntil([&] { return !mAnnounced.DeviceCounts().empty(); }));
  mFake->SetResult(Call::FindRemoteDevices, -3);
  // Nine passes make at least one full query.
  const int32_t queries = mFake->GetCallCount(Call::FindRemoteDevices);
  ASSERT_TRUE(
      mAnnounced.DrainUntil([&] { return mFake->GetCallCount(Call::FindRemoteDevices) > queries + 10; }));
  EXPECT_EQ(mAnnounced.DeviceCounts(), std::vector<unsigned int>{1});
  HV::Array<Variant> devices;
  EXPECT_EQ(mEngine->GetDeviceList(&devices), HV::S_OK);
  EXPECT_EQ(devices.GetCount(), 1u);
  EXPECT_EQ(mEngine->SetActive(false), HV::S_OK);
}

TEST_F(LRootModuleEngineWithLibraryThreads, APresentDeviceKeepsTheWorkerWatchingAndReleasingStopsIt) {
  mFake->SetDevicePresent(true);
  mFake->SetDevices(HV::kVariantList, HV::Test::ListData({MakeText("a")}));
  ASSERT_EQ(mEngine->SetActive(true), HV::S_OK);
  ASSERT_TRUE(mAnnounced.DrainUntil([&] { return !mAnnounced.DeviceCounts().empty(); }));
  const int32_t queries = mFake->GetCallCount(Call::FindRemoteDevices);
  // The worker keeps asking while it runs; releasing the engine stops it.
  ASSERT_TRUE(
      mAnnounced.DrainUntil([&] { return mFake->GetCallCount(Call::FindRemoteDevices) > queries + 2; }));
  mEngine = nullptr;
  const int32_t afterRelease = mFake->GetCallCount(Call::FindRemoteDevices);
  EXPECT_EQ(mFake->GetCallCount(Call::ReleaseAll), 1);
  EXPECT_EQ(mFake->GetCallCount(Call::FindRemoteDevices), afterRelease);
}

}  // namespace
