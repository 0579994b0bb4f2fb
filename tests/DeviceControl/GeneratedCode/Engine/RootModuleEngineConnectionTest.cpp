// The engine's connection state: every row of its transition table, and the
// roads through the engine that reach each row, with a link that reports
// itself connected only while a connect has succeeded.

#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"

#include "HVFramework/Platform/Core/EventHub.h"
#include "Panel/Engine/DeviceLink/DeviceCommunicationInterface.h"
#include "tests/support/EngineAnnouncements.h"
#include "tests/support/ShortDeviceTiming.h"
#include "tests/support/VariantSamples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <vector>

namespace {

using HV::RCPtr;
using HV::Variant;
using HV::Test::EngineAnnouncements;
using HV::Test::MakeText;
using Engine = LRootModuleEngine;
using Event = Engine::ConnectionEvent;
using State = Engine::DeviceConnectionState;

struct TransitionCase {
  State from;
  Event event;
  State to;
};

// What each state does on each event; the pairs not listed keep the state.
constexpr TransitionCase kChanges[] = {
    {Engine::Disconnected, Event::LinkUp, Engine::Connected},
    {Engine::ConnectRequested, Event::LinkUp, Engine::Connected},
    {Engine::Connected, Event::LinkDown, Engine::Disconnected},
    {Engine::Disconnected, Event::Requested, Engine::ConnectRequested},
    {Engine::Connected, Event::Requested, Engine::ConnectRequested},
    {Engine::ConnectRequested, Event::RequestDropped, Engine::Disconnected},
    {Engine::ConnectRequested, Event::RetryConnected, Engine::Connected},
};

TEST(LRootModuleEngineConnection, EachStateMovesOnlyAsItsRowSays) {
  const State states[] = {Engine::Disconnected, Engine::ConnectRequested, Engine::ReconnectPending,
                          Engine::Connected};
  const Event events[] = {Event::LinkUp, Event::LinkDown, Event::Requested, Event::RequestDropped,
                          Event::RetryConnected};
  for (State from : states) {
    for (Event event : events) {
      const auto row = std::find_if(std::begin(kChanges), std::end(kChanges), [&](const TransitionCase& c) {
        return c.from == from && c.event == event;
      });
      const State expected = row == std::end(kChanges) ? from : row->to;
      EXPECT_EQ(Engine::NextConnectionState(from, event), expected)
          << "from " << from << " on event " << static_cast<int>(event);
    }
  }
  // No road leads to the reconnect-pending state.
  for (const Engine::ConnectionTransition& row : Engine::kConnectionTransitions)
    EXPECT_NE(row.to, Engine::ReconnectPending);
}

// A link without a library whose connect succeeds when the test says so,
// which then reports itself connected until it disconnects; every device it
// is asked about reports itself present.
class SwitchableLink final : public LDeviceCommunicationInterface {
 public:
  static RCPtr<SwitchableLink> Create() { return RCPtr<SwitchableLink>(new SwitchableLink()); }

  HV::HResult Initialize() override { return HV::S_OK; }
  bool IsConnected() override { return mConnected || mUpRegardless; }
  HV::HResult ConnectDevice(const Variant&) override {
    mConnected = mConnectSucceeds.load();
    return mConnected ? HV::S_OK : HV::E_FAIL;
  }
  HV::HResult DisconnectDevice() override {
    mConnected = false;
    return HV::S_OK;
  }
  HV::HResult GetDeviceInfo(const Variant&, DeviceInfo* info) override {
    (*info)[DeviceControlClientApi::kDevicePresentByte] = 1;
    return HV::S_OK;
  }
  HV::HResult RequestParamRanges(const HV::ParamRanges&) override { return HV::S_OK; }
  HV::HResult RequestParamValue(const HV::ParamDescriptor&) override { return HV::S_OK; }

  std::atomic<bool> mConnectSucceeds{false};
  std::atomic<bool> mUpRegardless{false};  // reports itself connected whatever happens

 private:
  std::atomic<bool> mConnected{false};
  SwitchableLink()
      : LDeviceCommunicationInterface(u"/nonexistent/DeviceControlClient.dll", DeviceTiming::Specified()) {}
};

class LRootModuleEngineConnectionThreads : public ::testing::Test {
 protected:
  void SetUp() override {
    // The start-up connection to the link's one device fails: no change.
    mEngine =
        Engine::Create([link = mLink](const DeviceTiming&) { return RCPtr<IDeviceLink>(link); }, mTiming);
    ASSERT_EQ(mEngine->Initialize(0), HV::S_OK);
    mAnnounced.Drain();
    EXPECT_TRUE(mAnnounced.ConnectionStates().empty());
    EXPECT_EQ(mEngine->GetConnectionState(), Engine::Disconnected);
  }
  void TearDown() override { mEngine = nullptr; }

  // Drains until the announced states are these.
  void ExpectStates(const std::vector<int32_t>& states) {
    ASSERT_TRUE(mAnnounced.DrainUntil([&] { return mAnnounced.ConnectionStates().size() >= states.size(); }));
    EXPECT_EQ(mAnnounced.ConnectionStates(), states);
  }

  DeviceTiming mTiming = HV::Test::ShortDeviceTiming();
  EngineAnnouncements mAnnounced;
  RCPtr<SwitchableLink> mLink = SwitchableLink::Create();
  RCPtr<Engine> mEngine;
  const Variant mDevice = MakeText("keyboard");
};

TEST_F(LRootModuleEngineConnectionThreads, ARefusedPresentDeviceIsConnectedByTheWorker) {
  // Disconnected -Requested-> ConnectRequested -RetryConnected-> Connected
  EXPECT_EQ(mEngine->ConnectDevice(mDevice, true), HV::E_FAIL);
  EXPECT_EQ(mEngine->GetConnectionState(), Engine::ConnectRequested);
  EXPECT_EQ(mEngine->SetParamValue(HV::ParamDescriptor(7), MakeText("x")), HV::E_FAIL);
  mLink->mConnectSucceeds = true;
  ExpectStates({Engine::ConnectRequested, Engine::Connected});

  // Connected -LinkDown-> Disconnected
  mAnnounced.Clear();
  EXPECT_EQ(mEngine->DisconnectDevice(), HV::S_OK);
  ExpectStates({Engine::Disconnected});
}

TEST_F(LRootModuleEngineConnectionThreads, ALinkThatComesUpByItselfEndsTheRequest) {
  // ConnectRequested -LinkUp-> Connected
  mEngine->ConnectDevice(mDevice, true);
  mLink->mUpRegardless = true;
  ExpectStates({Engine::ConnectRequested, Engine::Connected});
}

TEST_F(LRootModuleEngineConnectionThreads, DisconnectingDropsTheRequest) {
  // ConnectRequested -RequestDropped-> Disconnected
  mEngine->ConnectDevice(mDevice, true);
  EXPECT_EQ(mEngine->DisconnectDevice(), HV::S_OK);
  ExpectStates({Engine::ConnectRequested, Engine::Disconnected});
}

// The worker's pass lasts longer than any test: after its first look it
// changes nothing while the test moves the state.
class LRootModuleEngineConnectionPausedThreads : public LRootModuleEngineConnectionThreads {
 protected:
  LRootModuleEngineConnectionPausedThreads() { mTiming = HV::Test::ShortDeviceTiming(1, 600000); }
};

TEST_F(LRootModuleEngineConnectionPausedThreads, ARefusedDeviceWhileConnectedBecomesTheRequest) {
  // Disconnected -LinkUp-> Connected -Requested-> ConnectRequested
  mLink->mConnectSucceeds = true;
  EXPECT_EQ(mEngine->ConnectDevice(mDevice, false), HV::S_OK);
  // The device is present: the worker runs; once it pauses it looks at
  // nothing until the test is done.
  HV::Platform::EventHub::Get().WaitUntilBlocked({1, 0});
  mLink->mConnectSucceeds = false;
  EXPECT_EQ(mEngine->ConnectDevice(MakeText("other"), true), HV::E_FAIL);
  ExpectStates({Engine::Connected, Engine::ConnectRequested});
  EXPECT_EQ(mEngine->DisconnectDevice(), HV::S_OK);
}

TEST_F(LRootModuleEngineConnectionThreads, ARefusedDeviceWithoutKeepingItStaysDisconnected) {
  EXPECT_EQ(mEngine->ConnectDevice(mDevice, false), HV::E_FAIL);
  mAnnounced.Drain();
  EXPECT_TRUE(mAnnounced.ConnectionStates().empty());
  EXPECT_EQ(mEngine->GetConnectionState(), Engine::Disconnected);
}

}  // namespace
