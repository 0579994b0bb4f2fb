#pragma once

// Shared by the preset file's tests: an engine of the model's own values
// (no device link), file helpers, and a link that starts but never finds a
// device, so that the engine refuses every value.

#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceLinkInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/RootModuleEngine.h"
#include "HVFramework/Utilities/Storage/StringT.h"
#include "tests/support/EngineAnnouncements.h"
#include "tests/support/ShortDeviceTiming.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace HV::Test {

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline StringW Wide(const std::string& text) { return StringW(text.c_str()); }

inline void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

// A link that starts and finds no device: the engine stays disconnected and
// not offline, so it refuses every value.
class DevicelessLink final : public IDeviceLink {
 public:
  static RCPtr<IDeviceLink> Create() { return RCPtr<IDeviceLink>(new DevicelessLink()); }

  HResult Initialize() override { return S_OK; }
  void Start() override {}
  HResult FindDevices(DeviceList* out) override {
    out->SetCount(0);
    return S_OK;
  }
  HResult FindRemoteDevices(DeviceList* out, uint32_t) override { return FindDevices(out); }
  void CutWaitShort() override {}
  HResult FindRemoteDevicesNow(DeviceList* out) override { return FindDevices(out); }
  HResult ConnectDevice(const Variant&) override { return E_FAIL; }
  HResult DisconnectDevice() override { return S_OK; }
  bool IsConnected() override { return false; }
  HResult GetDeviceInfo(const Variant&, DeviceInfo*) override { return E_FAIL; }
  HResult RequestParamRanges(const ParamRanges&) override { return E_FAIL; }
  HResult RequestParamValue(const ParamDescriptor&) override { return E_FAIL; }
  HResult GetParamValueEx(const ParamDescriptor&, Variant*) override { return E_FAIL; }
  HResult SendParamValue(const ParamDescriptor&, const Variant&) override { return E_FAIL; }
  bool SendLocalReply(int64_t) override { return false; }
  void SetReceiver(DeviceCommunicationReceiver*) override {}
  void SetReplyDeliveryEnabled(bool) override {}
};

// An initialised engine and what it announced since its start-up batch.
struct EngineUnderTest {
  explicit EngineUnderTest(DeviceLinkFactory makeLink = nullptr)
      : engine(LRootModuleEngine::Create(std::move(makeLink), ShortDeviceTiming())) {
    engine->Initialize(0);
    announced.Drain();
    startupChanges = announced.StateChanges().size();
  }
  ~EngineUnderTest() { engine->ReleaseInternalReferences(); }

  // The IDs announced after start-up, in order.
  std::vector<int32_t> AnnouncedIDs() {
    announced.Drain();
    std::vector<int32_t> ids;
    const auto changes = announced.StateChanges();
    for (size_t i = startupChanges; i < changes.size(); ++i)
      for (const ParamValue& value : changes[i].values) ids.push_back(value.paramID);
    return ids;
  }
  std::vector<Variant> Values() {
    Array<ParamValue> values;
    engine->GetParamValues(ParamRange{0, 131}, &values, -1);
    std::vector<Variant> out;
    const IArray<ParamValue>& items = values;
    for (uint32_t i = 0; i < items.GetCount(); ++i) out.push_back(items.GetItemPtr(i)->value);
    return out;
  }

  EngineAnnouncements announced;
  RCPtr<LRootModuleEngine> engine;
  size_t startupChanges = 0;
};

}  // namespace HV::Test
