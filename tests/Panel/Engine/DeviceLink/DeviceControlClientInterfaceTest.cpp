// The device-control client proxy without a library, with the fake library,
// and with copies of it that lack one entry point.

#include "Panel/Engine/DeviceLink/DeviceControlClientInterface.h"

#include "HVFramework/Platform/Core/Folders.h"
#include "HVFramework/Utilities/Storage/ParamDescriptors.h"
#include "HVFramework/Utilities/Storage/ParamRanges.h"
#include "tests/support/FakeDeviceControlClient.h"
#include "tests/support/VariantSamples.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using FakeDeviceControl::Call;
using HV::DeviceControlClientInterface;
using HV::Variant;
using HV::Test::FakeDeviceControlClientLibrary;
using HV::Test::FakeDeviceControlLibraryPath;

std::unique_ptr<DeviceControlClientInterface> MakeProxy(const std::string& path) {
  const HV::StringW widePath(path.c_str());
  return std::make_unique<DeviceControlClientInterface>(widePath.GetText());
}

// One call of every operation that returns a result, named after its entry point.
struct ProxyCall {
  Call call;
  std::function<int32_t(DeviceControlClientInterface&, const Variant&)> invoke;
};

std::vector<ProxyCall> EveryResultCall() {
  static HV::ParamDescriptor descriptor(5);
  static HV::ParamRanges ranges;
  return {
      {Call::FindDevices,
       [](auto& p, auto&) {
         Variant out;
         return p.FindDevices(nullptr, 0, &out);
       }},
      {Call::FindRemoteDevices,
       [](auto& p, auto&) {
         Variant out;
         return p.FindRemoteDevices(nullptr, 0, &out, 1);
       }},
      {Call::ConnectDevice, [](auto& p, auto& d) { return p.ConnectDevice(d, nullptr, nullptr); }},
      {Call::RequestParamRanges, [](auto& p, auto& d) { return p.RequestParamRanges(d, ranges); }},
      {Call::RequestParamValues, [](auto& p, auto& d) { return p.RequestParamValues(d, Variant()); }},
      {Call::GetParamRanges,
       [](auto& p, auto& d) {
         Variant out;
         return p.GetParamRanges(d, &out, 0);
       }},
      {Call::GetParamValues,
       [](auto& p, auto& d) {
         Variant out;
         return p.GetParamValues(d, Variant(), &out);
       }},
      {Call::GetParamValue,
       [](auto& p, auto& d) {
         Variant out;
         return p.GetParamValue(d, descriptor, &out);
       }},
      {Call::SetParamValue, [](auto& p, auto& d) { return p.SetParamValue(d, descriptor, Variant()); }},
      {Call::SetParamValues, [](auto& p, auto& d) { return p.SetParamValues(d, Variant()); }},
      {Call::DisconnectDevice, [](auto& p, auto& d) { return p.DisconnectDevice(d); }},
      {Call::GetDeviceInfo,
       [](auto& p, auto& d) {
         DeviceControlClientInterface::DeviceInfo info;
         return p.GetDeviceInfo(d, &info);
       }},
  };
}

TEST(DeviceControlClientInterface, LooksBesideTheProgramWithoutAPath) {
  const HV::StringA path = DeviceControlClientInterface::GetDefaultLibraryPath().ToCharString();
  EXPECT_EQ(std::string(path.GetText()), HV::Platform::GetProgramFolder() + "/DeviceControlClient.dll");
}

TEST(DeviceControlClientInterface, WithoutTheLibraryEveryCallAnswersMinusOne) {
  // This test program has no library beside it.
  DeviceControlClientInterface besideProgram;
  const auto missing = MakeProxy("/nonexistent/DeviceControlClient.dll");
  for (DeviceControlClientInterface* proxy : {&besideProgram, missing.get()}) {
    EXPECT_FALSE(proxy->IsLibraryLoaded());
    const Variant device;
    for (const ProxyCall& call : EveryResultCall()) {
      EXPECT_EQ(call.invoke(*proxy, device), -1) << static_cast<int>(call.call);
    }
    EXPECT_EQ(proxy->RequestParamValue(device, HV::ParamDescriptor(3)), -1);
    EXPECT_FALSE(proxy->IsDeviceConnected(device));
  }
}

class DeviceControlClientWithLibrary : public ::testing::Test {
 protected:
  FakeDeviceControlClientLibrary mFake{FakeDeviceControlLibraryPath()};
  std::unique_ptr<DeviceControlClientInterface> mProxy = MakeProxy(FakeDeviceControlLibraryPath());
  Variant mDevice = HV::Test::MakeText("device-1");
};

TEST_F(DeviceControlClientWithLibrary, EveryCallReachesItsEntryPointAndPassesItsResultOn) {
  ASSERT_TRUE(mProxy->IsLibraryLoaded());
  for (const ProxyCall& call : EveryResultCall()) {
    for (int32_t scripted : {0, 1, 7, -5}) {
      mFake->SetResult(call.call, scripted);
      EXPECT_EQ(call.invoke(*mProxy, mDevice), scripted) << static_cast<int>(call.call);
    }
    EXPECT_EQ(mFake->GetCallCount(call.call), 4) << static_cast<int>(call.call);
  }
}

TEST_F(DeviceControlClientWithLibrary, PassesTheDeviceAndTheValueAsGiven) {
  HV::ParamDescriptor descriptor(42);
  descriptor.descriptor = HV::Test::MakeValue(HV::kVariantInt32, int32_t{9});
  Variant value;
  value.SetBytes("\x01\x02\x03", 3);
  EXPECT_EQ(mProxy->SetParamValue(mDevice, descriptor, value), 0);

  const auto log = mFake->GetLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].call, Call::SetParamValue);
  EXPECT_EQ(log[0].paramID, 42);
  EXPECT_EQ(log[0].device.type, HV::kVariantText);
  EXPECT_EQ(log[0].descriptor.type, HV::kVariantInt32);
  EXPECT_EQ(log[0].argument.type, HV::kVariantBytes);
  EXPECT_EQ(log[0].argument.data, (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(DeviceControlClientWithLibrary, RequestParamValueSendsAListOfTheOneDescriptor) {
  EXPECT_EQ(mProxy->RequestParamValue(mDevice, HV::ParamDescriptor(-8)), 0);

  const auto log = mFake->GetLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].call, Call::RequestParamValues);
  HV::ParamDescriptors sent;
  sent.Set(HV::kVariantList, log[0].argument.data.data(), static_cast<uint32_t>(log[0].argument.data.size()));
  ASSERT_EQ(sent.GetListCount(), 1u);
  int32_t id = 0;
  Variant subKey;
  EXPECT_EQ(sent.GetParamDescriptor(0, id, subKey), 0);
  EXPECT_EQ(id, -8);
  EXPECT_TRUE(subKey.IsEmpty());
}

TEST_F(DeviceControlClientWithLibrary, IsDeviceConnectedExactlyWhenTheLibraryAnswersZero) {
  const struct {
    int32_t answer;
    bool connected;
  } cases[] = {{0, true}, {1, false}, {-1, false}};
  for (const auto& c : cases) {
    mFake->SetResult(Call::IsDeviceConnected, c.answer);
    EXPECT_EQ(mProxy->IsDeviceConnected(mDevice), c.connected) << c.answer;
  }
}

TEST_F(DeviceControlClientWithLibrary, DestructionReleasesTheLibraryOnce) {
  mProxy.reset();
  EXPECT_EQ(mFake->GetCallCount(Call::ReleaseAll), 1);
}

TEST(DeviceControlClientInterface, ALibraryWithoutGetDeviceInfoAnswersMinusOneForItAlone) {
  FakeDeviceControlClientLibrary fake(FakeDeviceControlLibraryPath("without-get-device-info"));
  const auto proxy = MakeProxy(FakeDeviceControlLibraryPath("without-get-device-info"));
  const Variant device;
  DeviceControlClientInterface::DeviceInfo info;
  EXPECT_EQ(proxy->GetDeviceInfo(device, &info), -1);
  fake->SetResult(Call::ConnectDevice, 3);
  EXPECT_EQ(proxy->ConnectDevice(device, nullptr, nullptr), 3);
  EXPECT_TRUE(proxy->IsDeviceConnected(device));
}

TEST(DeviceControlClientInterface, ALibraryWithoutReleaseAllIsUnloadedWithoutIt) {
  FakeDeviceControlClientLibrary fake(FakeDeviceControlLibraryPath("without-release-all"));
  auto proxy = MakeProxy(FakeDeviceControlLibraryPath("without-release-all"));
  EXPECT_TRUE(proxy->IsLibraryLoaded());
  proxy.reset();
  EXPECT_EQ(fake->GetLog().size(), 0u);
}

}  // namespace
