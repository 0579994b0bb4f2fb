#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceCommunicationReceiver.h"
#include "HVFramework/Utilities/Storage/ParamValues.h"

#include <condition_variable>
#include <mutex>
#include <vector>

namespace HV::Test {

// A device-link receiver that keeps every record it is handed, packet by
// packet, and lets a test wait for a number of packets.
class RecordingDeviceReceiver final : public DeviceCommunicationReceiver {
 public:
  struct Received {
    int32_t paramID = -1;
    Variant descriptor;
    Variant value;
  };

  HResult OnParamValuesReceived(const ParamValues& values) override {
    std::vector<Received> packet;
    for (uint32_t i = 0; i < values.GetListCount(); ++i) {
      Received record;
      values.GetParamValue(i, record.value, record.paramID, record.descriptor);
      packet.push_back(record);
    }
    std::lock_guard lock(mMutex);
    mPackets.push_back(std::move(packet));
    mArrived.notify_all();
    return S_OK;
  }
  HResult OnDeviceEvent(int32_t, int32_t, int32_t) override { return E_FAIL; }

  // The packets received once at least count have arrived.
  std::vector<std::vector<Received>> WaitForPackets(size_t count) {
    std::unique_lock lock(mMutex);
    mArrived.wait(lock, [&] { return mPackets.size() >= count; });
    return mPackets;
  }
  std::vector<std::vector<Received>> GetPackets() {
    std::lock_guard lock(mMutex);
    return mPackets;
  }

 private:
  std::mutex mMutex;
  std::condition_variable mArrived;
  std::vector<std::vector<Received>> mPackets;
};

}  // namespace HV::Test
