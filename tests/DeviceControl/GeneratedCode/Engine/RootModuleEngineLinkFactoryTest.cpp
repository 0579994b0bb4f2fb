// The engine makes its device link with the factory it was created with, and
// works offline without one. Linked with the model library alone: the engine
// needs nothing of the Panel's link.

#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"

#include "DeviceControl/GeneratedCode/Engine/Inc/DefaultRecords.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceLinkInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/ParamRecord.h"
#include "tests/support/EngineAnnouncements.h"
#include "tests/support/ShortDeviceTiming.h"
#include "tests/support/VariantSamples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace {

using HV::ParamDescriptor;
using HV::RCPtr;
using HV::Variant;
using HV::Test::EngineAnnouncements;
using HV::Test::MakeText;

// A link that writes down which of its operations the engine calls. It
// offers one device, which connects and then reports the link connected;
// the device never reports itself present, so the engine starts no worker.
class RecordingLink final : public IDeviceLink {
 public:
  static RCPtr<RecordingLink> Create() { return RCPtr<RecordingLink>(new RecordingLink()); }

  static Variant TheDevice() { return MakeText("keyboard"); }

  std::vector<std::string> GetCalls() {
    std::lock_guard lock(mLock);
    return mCalls;
  }
  bool WasCalled(const std::string& call) {
    const std::vector<std::string> calls = GetCalls();
    return std::find(calls.begin(), calls.end(), call) != calls.end();
  }

  HV::HResult Initialize() override { return Record("Initialize", HV::S_OK); }
  void Start() override { Record("Start", 0); }
  HV::HResult FindDevices(DeviceList* out) override {
    out->SetCount(1);
    *out->GetItemPtr(0) = TheDevice();
    return Record("FindDevices", HV::S_OK);
  }
  HV::HResult FindRemoteDevices(DeviceList*, uint32_t) override {
    return Record("FindRemoteDevices", HV::S_OK);
  }
  void CutWaitShort() override { Record("CutWaitShort", 0); }
  HV::HResult FindRemoteDevicesNow(DeviceList*) override { return Record("FindRemoteDevicesNow", HV::S_OK); }
  HV::HResult ConnectDevice(const Variant& device) override {
    if (device == TheDevice()) mConnected = true;
    return Record("ConnectDevice", mConnected ? HV::S_OK : HV::E_FAIL);
  }
  HV::HResult DisconnectDevice() override {
    mConnected = false;
    return Record("DisconnectDevice", HV::S_OK);
  }
  bool IsConnected() override { return Record("IsConnected", mConnected.load()); }
  HV::HResult GetDeviceInfo(const Variant&, DeviceInfo* info) override {
    std::fill(std::begin(*info), std::end(*info), uint8_t{0});
    return Record("GetDeviceInfo", HV::S_OK);
  }
  HV::HResult RequestParamRanges(const HV::ParamRanges&) override {
    return Record("RequestParamRanges", HV::S_OK);
  }
  HV::HResult RequestParamValue(const ParamDescriptor&) override {
    return Record("RequestParamValue", HV::S_OK);
  }
  HV::HResult GetParamValueEx(const ParamDescriptor&, Variant*) override {
    return Record("GetParamValueEx", -1);
  }
  HV::HResult SendParamValue(const ParamDescriptor& descriptor, const Variant&) override {
    return Record("SendParamValue(" + std::to_string(descriptor.paramID) + ")", HV::S_OK);
  }
  bool SendLocalReply(int64_t) override { return Record("SendLocalReply", false); }
  void SetReceiver(DeviceCommunicationReceiver*) override { Record("SetReceiver", 0); }
  void SetReplyDeliveryEnabled(bool) override { Record("SetReplyDeliveryEnabled", 0); }

 private:
  RecordingLink() = default;

  template <class Result>
  Result Record(const std::string& call, Result result) {
    std::lock_guard lock(mLock);
    mCalls.push_back(call);
    return result;
  }

  std::mutex mLock;  // guards mCalls: the engine may call from its worker
  std::vector<std::string> mCalls;
  std::atomic<bool> mConnected{false};
};

// A factory that writes down every call: the timing it was given, and the
// link it returned.
struct RecordingFactory {
  struct Log {
    std::vector<DeviceTiming> timings;
    RCPtr<RecordingLink> link = RecordingLink::Create();
  };
  std::shared_ptr<Log> log = std::make_shared<Log>();

  DeviceLinkFactory Get() const {
    return [log = log](const DeviceTiming& timing) -> RCPtr<IDeviceLink> {
      log->timings.push_back(timing);
      return log->link;
    };
  }
};

Variant AnEdit() {
  const std::vector<uint8_t> record = {1, 5, 0, 0, 0, 0};
  return MakeRecordValue(record);
}

Variant DefaultOf(int32_t id) {
  const std::optional<ElementAddress> element = FindElement(0, id);
  return element ? MakeRecordValue(MakeDefaultRecord(element->kind, element->index)) : Variant();
}

TEST(LRootModuleEngineLinkFactory, TheFactoryIsCalledOnceAtInitializeWithTheEnginesTiming) {
  EngineAnnouncements announced;
  RecordingFactory factory;
  const DeviceTiming timing = HV::Test::ShortDeviceTiming(2, 7, 900);
  const RCPtr<LRootModuleEngine> engine = LRootModuleEngine::Create(factory.Get(), timing);
  EXPECT_TRUE(factory.log->timings.empty());

  ASSERT_EQ(engine->Initialize(0), HV::S_OK);
  ASSERT_EQ(factory.log->timings.size(), 1u);
  EXPECT_EQ(factory.log->timings[0].remotePoll, timing.remotePoll);
  EXPECT_EQ(factory.log->timings[0].workerPass, timing.workerPass);
  EXPECT_EQ(factory.log->timings[0].workerStopWait, timing.workerStopWait);
  ASSERT_FALSE(factory.log->link->GetCalls().empty());
  EXPECT_EQ(factory.log->link->GetCalls().front(), "Initialize");
}

TEST(LRootModuleEngineLinkFactory, TheEngineConnectsAndSendsEditsThroughTheLinkTheFactoryMade) {
  EngineAnnouncements announced;
  RecordingFactory factory;
  const RCPtr<LRootModuleEngine> engine =
      LRootModuleEngine::Create(factory.Get(), HV::Test::ShortDeviceTiming());
  ASSERT_EQ(engine->Initialize(0), HV::S_OK);
  announced.Drain();

  const RCPtr<RecordingLink>& link = factory.log->link;
  EXPECT_TRUE(link->WasCalled("FindDevices"));
  EXPECT_TRUE(link->WasCalled("ConnectDevice"));
  EXPECT_EQ(engine->GetConnectionState(), LRootModuleEngine::Connected);
  EXPECT_EQ(announced.ConnectionStates(), std::vector<int32_t>{LRootModuleEngine::Connected});

  EXPECT_EQ(engine->SetParamValue(ParamDescriptor(7), AnEdit()), HV::S_OK);
  EXPECT_TRUE(link->WasCalled("SendParamValue(7)"));
}

TEST(LRootModuleEngineLinkFactory, WithoutAFactoryTheEngineWorksOfflineAndReportsNoConnection) {
  EngineAnnouncements announced;
  const RCPtr<LRootModuleEngine> engine = LRootModuleEngine::Create(nullptr, HV::Test::ShortDeviceTiming());
  ASSERT_EQ(engine->Initialize(0), HV::S_OK);
  announced.Drain();

  // The values are there, announced as one batch; no connection is.
  const auto changes = announced.StateChanges();
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].values.size(), 131u);
  EXPECT_TRUE(announced.ConnectionStates().empty());
  EXPECT_EQ(engine->GetConnectionState(), LRootModuleEngine::Disconnected);
  Variant value;
  EXPECT_EQ(engine->GetParamValue(ParamDescriptor(7), &value), HV::S_OK);
  EXPECT_EQ(value, DefaultOf(7));

  // An edit is the editor's own: stored and announced, with no connection.
  EXPECT_EQ(engine->SetParamValue(ParamDescriptor(7), AnEdit()), HV::S_OK);
  EXPECT_EQ(engine->GetParamValue(ParamDescriptor(7), &value), HV::S_OK);
  EXPECT_EQ(value, AnEdit());
  announced.Drain();
  const auto edits = announced.StateChanges();
  ASSERT_EQ(edits.size(), 2u);
  ASSERT_EQ(edits[1].values.size(), 1u);
  EXPECT_EQ(edits[1].values[0].paramID, 7);

  // Everything that needs the link fails and changes nothing.
  EXPECT_LT(engine->ConnectDevice(MakeText("keyboard"), true), 0);
  EXPECT_LT(engine->SetActive(true), 0);
  HV::Array<Variant> devices;
  EXPECT_LT(engine->GetDeviceList(&devices), 0);
  EXPECT_EQ(devices.GetCount(), 0u);
  EXPECT_LT(engine->DisconnectDevice(), 0);
  announced.Drain();
  EXPECT_EQ(engine->GetConnectionState(), LRootModuleEngine::Disconnected);
  EXPECT_TRUE(announced.ConnectionStates().empty());
}

TEST(LRootModuleEngineLinkFactory, AFactoryThatMakesNoLinkLeavesTheEngineOffline) {
  EngineAnnouncements announced;
  int calls = 0;
  const RCPtr<LRootModuleEngine> engine = LRootModuleEngine::Create([&calls](const DeviceTiming&) {
    ++calls;
    return RCPtr<IDeviceLink>();
  });
  ASSERT_EQ(engine->Initialize(0), HV::S_OK);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(engine->GetConnectionState(), LRootModuleEngine::Disconnected);
  EXPECT_EQ(engine->SetParamValue(ParamDescriptor(7), AnEdit()), HV::S_OK);
  EXPECT_LT(engine->SetActive(true), 0);
}

}  // namespace
