// The device link without a client, without a library, and with the fake
// device-control library: what it answers itself, what it forwards and how
// packets from the library's thread reach the receiver.

#include "Panel/Engine/DeviceLink/DeviceCommunicationInterface.h"

#include "HVFramework/Platform/Core/EventHub.h"
#include "HVFramework/Platform/Core/VirtualClock.h"
#include "HVFramework/Utilities/Storage/ParamRanges.h"
#include "tests/support/DevicePackets.h"
#include "tests/support/FakeDeviceControlClient.h"
#include "tests/support/RecordingDeviceReceiver.h"
#include "tests/support/ShortDeviceTiming.h"
#include "tests/support/VariantSamples.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <thread>

namespace {

using FakeDeviceControl::Call;
using HV::ParamDescriptor;
using HV::RCPtr;
using HV::Variant;
using HV::Test::FakeDeviceControlClientLibrary;
using HV::Test::FakeDeviceControlLibraryPath;
using HV::Test::MakeText;
using HV::Test::MakeValue;
using HV::Test::RecordingDeviceReceiver;
using Link = LDeviceCommunicationInterface;

RCPtr<Link> MakeLink(const std::string& path) {
  const HV::StringW widePath(path.c_str());
  return Link::Create(widePath.GetText(), HV::Test::ShortDeviceTiming());
}

const std::string kNoLibrary = "/nonexistent/DeviceControlClient.dll";

// The forwarding operations that answer -1 without a client.
const std::vector<std::pair<const char*, std::function<HV::HResult(Link&)>>> kForwarding = {
    {"FindRemoteDevices",
     [](Link& l) {
       Link::DeviceList list;
       return l.FindRemoteDevices({}, &list, 0);
     }},
    {"FindRemoteDevicesNow",
     [](Link& l) {
       Link::DeviceList list;
       return l.FindRemoteDevicesNow({}, &list);
     }},
    {"ConnectDevice", [](Link& l) { return l.ConnectDevice(Variant()); }},
    {"RequestParamRanges", [](Link& l) { return l.RequestParamRanges(HV::ParamRanges()); }},
    {"RequestParamValues", [](Link& l) { return l.RequestParamValues(Variant()); }},
    {"RequestParamValue", [](Link& l) { return l.RequestParamValue(ParamDescriptor(1)); }},
    {"GetParamRanges",
     [](Link& l) {
       Variant out;
       return l.GetParamRanges(&out, 0);
     }},
    {"GetParamValues",
     [](Link& l) {
       Variant out;
       return l.GetParamValues(Variant(), &out);
     }},
    {"SetParamValues", [](Link& l) { return l.SetParamValues(Variant()); }},
    {"GetConnectedDevice",
     [](Link& l) {
       Variant out;
       return l.GetConnectedDevice(&out);
     }},
    {"DisconnectDevice", [](Link& l) { return l.DisconnectDevice(); }},
    {"GetDeviceInfo",
     [](Link& l) {
       Link::DeviceInfo info;
       return l.GetDeviceInfo(Variant(), &info);
     }},
    {"GetParamValue",
     [](Link& l) {
       Variant out;
       return l.GetParamValue(&out);
     }},
    {"SetParamValue", [](Link& l) { return l.SetParamValue(Variant()); }},
};

TEST(LDeviceCommunicationInterface, WithoutAClientEveryForwardingCallAnswersMinusOne) {
  const RCPtr<Link> link = MakeLink(kNoLibrary);
  for (const auto& [name, call] : kForwarding) EXPECT_EQ(call(*link), -1) << name;
  EXPECT_TRUE(link->IsConnected());
  EXPECT_TRUE(link->IsAvailable());
}

TEST(LDeviceCommunicationInterface, WithoutTheLibraryInitializeSucceedsAndCallsStillAnswerMinusOne) {
  const RCPtr<Link> link = MakeLink(kNoLibrary);
  EXPECT_EQ(link->Initialize(), HV::S_OK);
  EXPECT_EQ(link->Initialize(), HV::S_FALSE);
  for (const auto& [name, call] : kForwarding) {
    if (std::string(name) == "GetConnectedDevice") continue;  // answered by the link itself
    EXPECT_EQ(call(*link), std::string(name) == "FindRemoteDevices" ? HV::E_FAIL : -1) << name;
  }
  Variant device;
  EXPECT_EQ(link->GetConnectedDevice(&device), HV::S_OK);
}

TEST(LDeviceCommunicationInterface, FindDevicesGivesOneEmptyIdentifier) {
  const RCPtr<Link> link = MakeLink(kNoLibrary);
  Link::DeviceList devices;
  devices.SetCount(3);
  *devices.GetItemPtr(0) = MakeText("old");
  EXPECT_EQ(link->FindDevices({}, &devices), HV::S_OK);
  ASSERT_EQ(devices.GetCount(), 1u);
  EXPECT_TRUE(devices.GetItemPtr(0)->IsEmpty());
}

TEST(LDeviceCommunicationInterface, WithoutAClientTheLinkAnswersItsOwnIDs) {
  const RCPtr<Link> link = MakeLink(kNoLibrary);
  Variant out;
  EXPECT_EQ(link->GetParamValueEx(ParamDescriptor(-2), &out), HV::S_OK);
  EXPECT_EQ(out.GetType(), HV::kVariantBool);
  EXPECT_TRUE(out.GetBool());
  EXPECT_EQ(link->GetParamValueEx(ParamDescriptor(-8), &out), -1);
  EXPECT_EQ(link->GetParamValueEx(ParamDescriptor(-9), &out), HV::S_OK);
  EXPECT_STREQ(out.GetText(), "Halvern");
  EXPECT_EQ(link->GetParamValueEx(ParamDescriptor(-10), &out), HV::S_OK);
  EXPECT_STREQ(out.GetText(), "Tarsel");
  EXPECT_EQ(link->GetParamValueEx(ParamDescriptor(5), &out), HV::E_FAIL);
}

TEST(LDeviceCommunicationInterface, SendsNeedAReceiverAndSomeIDsAreRefused) {
  const RCPtr<Link> link = MakeLink(kNoLibrary);
  EXPECT_EQ(link->SendParamValue(ParamDescriptor(3), Variant()), HV::E_FAIL);

  RecordingDeviceReceiver receiver;
  link->SetReceiver(&receiver);
  const struct {
    int32_t id;
    HV::HResult result;
  } cases[] = {{-240, HV::E_FAIL}, {-241, HV::E_FAIL}, {-242, HV::E_FAIL}, {-8, -1}, {3, HV::E_FAIL}};
  for (const auto& c : cases)
    EXPECT_EQ(link->SendParamValue(ParamDescriptor(c.id), Variant()), c.result) << c.id;
  link->SetReceiver(nullptr);
}

TEST(LDeviceCommunicationInterface, ALocalReplyComesBackToTheReceiverAtOnce) {
  const RCPtr<Link> link = MakeLink(kNoLibrary);
  RecordingDeviceReceiver receiver;
  link->SetReceiver(&receiver);
  EXPECT_EQ(link->SendParamValue(ParamDescriptor(-4), MakeValue(HV::kVariantInt64, int64_t{0x123456789})),
            HV::S_OK);

  const auto packets = receiver.GetPackets();
  ASSERT_EQ(packets.size(), 1u);
  ASSERT_EQ(packets[0].size(), 1u);
  EXPECT_EQ(packets[0][0].paramID, -4);
  const Variant& reply = packets[0][0].value;
  ASSERT_EQ(reply.GetListCount(), 2u);
  Variant token;
  Variant available;
  reply.GetListItem(0, token);
  reply.GetListItem(1, available);
  EXPECT_EQ(token.GetType(), HV::kVariantInt64);
  EXPECT_EQ(token.GetInt64(), 0x123456789);
  EXPECT_TRUE(available.GetBool());
  link->SetReceiver(nullptr);
}

class LinkWithLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mLink->Initialize(), HV::S_OK);
    mLink->SetReceiver(&mReceiver);
    mLink->SetReplyDeliveryEnabled(true);
  }
  void TearDown() override {
    mLink->SetReplyDeliveryEnabled(false);
    mLink->SetReceiver(nullptr);
  }

  FakeDeviceControlClientLibrary mFake{FakeDeviceControlLibraryPath()};
  RCPtr<Link> mLink = MakeLink(FakeDeviceControlLibraryPath());
  RecordingDeviceReceiver mReceiver;
  const Variant mDevice = MakeText("keyboard-7");
};

// Packets from the library's own thread, and waits on another thread.
class LinkWithLibraryThreads : public LinkWithLibrary {};

TEST_F(LinkWithLibrary, RequestsNameTheConnectedDevice) {
  EXPECT_EQ(mLink->ConnectDevice(mDevice), 0);
  Variant out;
  mLink->RequestParamValue(ParamDescriptor(-8));
  mLink->SendParamValue(ParamDescriptor(12), MakeValue(HV::kVariantUInt8, uint8_t{4}));
  mLink->GetParamValueEx(ParamDescriptor(-9), &out);
  mLink->DisconnectDevice();

  const auto log = mFake->GetLog();
  const Call expected[] = {Call::ConnectDevice, Call::RequestParamValues, Call::SetParamValue,
                           Call::GetParamValue, Call::DisconnectDevice};
  ASSERT_EQ(log.size(), std::size(expected));
  for (size_t i = 0; i < log.size(); ++i) {
    EXPECT_EQ(log[i].call, expected[i]) << i;
    EXPECT_EQ(log[i].device.data, (std::vector<uint8_t>{'k', 'e', 'y', 'b', 'o', 'a', 'r', 'd', '-', '7', 0}))
        << i;
  }
  EXPECT_EQ(log[2].paramID, 12);
  EXPECT_EQ(log[3].paramID, -9);
}

TEST_F(LinkWithLibrary, GetDeviceInfoAsksAboutTheDeviceItIsGiven) {
  mFake->SetDevicePresent(true);
  Link::DeviceInfo info = {};
  EXPECT_EQ(mLink->GetDeviceInfo(MakeText("other"), &info), 0);
  EXPECT_EQ(info[DeviceControlClientApi::kDevicePresentByte], 1);
  EXPECT_EQ(mFake->GetLog().at(0).device.type, HV::kVariantText);
}

// Runs FindRemoteDevices on a thread of its own while drive moves the clock
// or cuts the wait.
HV::HResult FindWhile(Link& link, Link::DeviceList& list, uint32_t waitMs,
                      const std::function<void()>& drive) {
  std::atomic<HV::HResult> result{-100};
  std::thread waiter([&] { result = link.FindRemoteDevices({}, &list, waitMs); });
  drive();
  waiter.join();
  return result;
}

// The link's waits run on a clock that moves only when the test says; polls
// are 1 ms (ShortDeviceTiming). The query after the wait has passed is the last.
TEST_F(LinkWithLibraryThreads, FindRemoteDevicesAsksOnceMoreWhenTheWaitHasPassed) {
  HV::Platform::VirtualClock clock;
  Link::DeviceList list;
  EXPECT_EQ(FindWhile(*mLink, list, 6, [&] { clock.AdvanceWhenWaiting(6); }), HV::S_FALSE);
  EXPECT_EQ(mFake->GetCallCount(Call::FindRemoteDevices), 2);
  EXPECT_EQ(list.GetCount(), 0u);
}

TEST_F(LinkWithLibraryThreads, FindRemoteDevicesSeesAChangeAtTheNextPoll) {
  HV::Platform::VirtualClock clock;
  Link::DeviceList list;
  EXPECT_EQ(FindWhile(*mLink, list, 1500,
                      [&] {
                        HV::Platform::EventHub::Get().WaitUntilBlocked({1, 0});
                        mFake->SetDevices(HV::kVariantList, HV::Test::ListData({MakeText("a")}));
                        clock.Advance(1);
                      }),
            HV::S_OK);
  EXPECT_EQ(mFake->GetCallCount(Call::FindRemoteDevices), 2);
  EXPECT_EQ(list.GetCount(), 1u);
}

TEST_F(LinkWithLibraryThreads, CuttingTheWaitShortEndsItWithoutAChange) {
  HV::Platform::VirtualClock clock;
  Link::DeviceList list;
  EXPECT_EQ(FindWhile(*mLink, list, 1500,
                      [&] {
                        HV::Platform::EventHub::Get().WaitUntilBlocked({1, 0});
                        mLink->CutWaitShort();
                      }),
            HV::S_FALSE);
  EXPECT_EQ(mFake->GetCallCount(Call::FindRemoteDevices), 1);
}

TEST_F(LinkWithLibrary, FindRemoteDevicesReturnsAtTheFirstChange) {
  mFake->SetDevices(HV::kVariantList, HV::Test::ListData({MakeText("a"), MakeText("b")}));
  Link::DeviceList list;
  EXPECT_EQ(mLink->FindRemoteDevices({}, &list, 1500), HV::S_OK);
  EXPECT_EQ(mFake->GetCallCount(Call::FindRemoteDevices), 1);
  ASSERT_EQ(list.GetCount(), 2u);
  EXPECT_STREQ(list.GetItemPtr(1)->GetText(), "b");
  EXPECT_EQ(mFake->GetLog().at(0).flag, 0);
}

TEST_F(LinkWithLibrary, AFailedQueryEndsTheWaitWithEFail) {
  mFake->SetResult(Call::FindRemoteDevices, -3);
  Link::DeviceList list;
  EXPECT_EQ(mLink->FindRemoteDevices({}, &list, 1500), HV::E_FAIL);
  EXPECT_EQ(mFake->GetCallCount(Call::FindRemoteDevices), 1);
}

TEST_F(LinkWithLibrary, FindRemoteDevicesNowPassesTheLibrarysResultOn) {
  mFake->SetDevices(HV::kVariantList, HV::Test::ListData({MakeText("a")}));
  mFake->SetResult(Call::FindRemoteDevices, 1);
  Link::DeviceList list;
  EXPECT_EQ(mLink->FindRemoteDevicesNow({}, &list), 1);
  EXPECT_EQ(list.GetCount(), 1u);
  EXPECT_EQ(mFake->GetLog().at(0).flag, 1);
}

TEST_F(LinkWithLibrary, ADeviceListWithAZeroSizeRecordEndsThere) {
  // One good record, then a record claiming size 0, then another good one.
  std::vector<uint8_t> data = HV::Test::ListData({MakeText("a")});
  const std::vector<uint8_t> zero(12, 0);
  data.insert(data.end(), zero.begin(), zero.end());
  const std::vector<uint8_t> tail = HV::Test::ListData({MakeText("b")});
  data.insert(data.end(), tail.begin(), tail.end());
  mFake->SetDevices(HV::kVariantList, data);

  Link::DeviceList list;
  EXPECT_EQ(mLink->FindRemoteDevicesNow({}, &list), 0);
  EXPECT_EQ(list.GetCount(), 1u);
}

TEST_F(LinkWithLibrary, AResultThatIsNoListGivesNoDevices) {
  mFake->SetDevices(HV::kVariantInt32, {1, 0, 0, 0});
  Link::DeviceList list;
  list.SetCount(2);
  EXPECT_EQ(mLink->FindRemoteDevicesNow({}, &list), 0);
  EXPECT_EQ(list.GetCount(), 0u);
}

TEST(LDeviceCommunicationInterface, ReleasingTheLastReferenceDisconnectsAndUnloads) {
  FakeDeviceControlClientLibrary fake(FakeDeviceControlLibraryPath());
  RCPtr<Link> link = MakeLink(FakeDeviceControlLibraryPath());
  link->Initialize();
  link->ConnectDevice(MakeText("d"));
  link = nullptr;
  const auto log = fake->GetLog();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[log.size() - 2].call, Call::DisconnectDevice);
  EXPECT_EQ(log[log.size() - 2].device.type, HV::kVariantText);
  EXPECT_EQ(log.back().call, Call::ReleaseAll);
}

TEST_F(LinkWithLibraryThreads, PacketsAreDeliveredInTheOrderTheyArrived) {
  ASSERT_EQ(mLink->ConnectDevice(mDevice), 0);
  constexpr int kPackets = 20;
  for (int i = 0; i < kPackets; ++i) {
    mFake->Emit(HV::Test::PacketData({{i, MakeValue(HV::kVariantInt32, i * 10)}, {-8, Variant()}}));
  }
  const auto packets = mReceiver.WaitForPackets(kPackets);
  ASSERT_EQ(packets.size(), static_cast<size_t>(kPackets));
  for (int i = 0; i < kPackets; ++i) {
    ASSERT_EQ(packets[i].size(), 2u);
    EXPECT_EQ(packets[i][0].paramID, i);
    EXPECT_EQ(packets[i][0].value.GetInt32(), i * 10);
    EXPECT_EQ(packets[i][1].paramID, -8);
  }
}

TEST_F(LinkWithLibraryThreads, PacketsArrivingWhileDeliveryIsOffAreDropped) {
  ASSERT_EQ(mLink->ConnectDevice(mDevice), 0);
  mLink->SetReplyDeliveryEnabled(false);
  mFake->Emit(HV::Test::PacketData({{1, MakeValue(HV::kVariantInt32, 1)}}));
  mFake->WaitUntilEmitted();
  // Whichever thread drains the queue now, the packet is dropped.
  mLink->DeliverQueuedPackets();
  mLink->SetReplyDeliveryEnabled(true);
  mFake->Emit(HV::Test::PacketData({{2, MakeValue(HV::kVariantInt32, 2)}}));
  const auto packets = mReceiver.WaitForPackets(1);
  ASSERT_EQ(packets.size(), 1u);
  EXPECT_EQ(packets[0][0].paramID, 2);
}

// Throws on the first packet it is handed, then passes packets on.
class ThrowingOnceReceiver final : public DeviceCommunicationReceiver {
 public:
  explicit ThrowingOnceReceiver(DeviceCommunicationReceiver& next) : mNext(next) {}
  HV::HResult OnParamValuesReceived(const HV::ParamValues& values) override {
    if (!mThrown.exchange(true)) throw std::runtime_error("receiver failed");
    return mNext.OnParamValuesReceived(values);
  }
  HV::HResult OnDeviceEvent(int32_t, int32_t, int32_t) override { return HV::E_FAIL; }

 private:
  DeviceCommunicationReceiver& mNext;
  std::atomic<bool> mThrown{false};
};

TEST_F(LinkWithLibraryThreads, AReceiverThatThrowsLosesOnlyThatPacket) {
  ThrowingOnceReceiver throwing(mReceiver);
  mLink->SetReceiver(&throwing);
  ASSERT_EQ(mLink->ConnectDevice(mDevice), 0);
  mFake->Emit(HV::Test::PacketData({{1, MakeValue(HV::kVariantInt32, 1)}}));
  mFake->Emit(HV::Test::PacketData({{2, MakeValue(HV::kVariantInt32, 2)}}));
  const auto packets = mReceiver.WaitForPackets(1);
  ASSERT_EQ(packets.size(), 1u);
  EXPECT_EQ(packets[0][0].paramID, 2);
  mLink->SetReplyDeliveryEnabled(false);
  mLink->SetReceiver(nullptr);
}

}  // namespace
