// The fake device-control client library: the 14 entry points of the real
// one, answering what the test scripted through the control block and
// logging every call. A thread of the library's own hands queued value
// packets to the callback given to AADI_ConnectDevice, as the real library
// does with what it hears from a device.
//
// Built with FAKE_WITHOUT_GET_DEVICE_INFO or FAKE_WITHOUT_RELEASE_ALL, the
// copy lacks that one entry point.

#include "tests/support/FakeDeviceControlClient.h"
#include "HVFramework/Utilities/Storage/ParamRanges.h"
#include "HVFramework/Utilities/Storage/ParamValues.h"
#include "Panel/Engine/DeviceLink/DeviceControlClientApi.h"

#include <array>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

using DeviceControlClientApi::DeviceClassGuid;
using DeviceControlClientApi::ValuesCallback;
using FakeDeviceControl::Call;
using FakeDeviceControl::Record;
using FakeDeviceControl::Value;

namespace {

Value Capture(const HV::Variant* variant) {
  Value value;
  if (!variant) return value;
  value.type = variant->GetType();
  uint32_t size = 0;
  const auto* data = static_cast<const uint8_t*>(variant->GetData(&size));
  if (data) value.data.assign(data, data + size);
  return value;
}

class Control final : public FakeDeviceControl::IControl {
 public:
  ~Control() { StopEmitter(); }

  void Reset() override {
    {
      std::lock_guard lock(mMutex);
      mLog.clear();
      mCounts.fill(0);
      mResults.fill(0);
      mDevicesType = HV::kVariantEmpty;
      mDevicesData.clear();
      mPresent = false;
      mPackets.clear();
    }
    ForgetCallback();
    mEmitted.notify_all();
  }

  void SetResult(Call call, int32_t result) override {
    std::lock_guard lock(mMutex);
    mResults[Index(call)] = result;
  }
  void SetDevices(uint32_t type, const std::vector<uint8_t>& data) override {
    std::lock_guard lock(mMutex);
    mDevicesType = type;
    mDevicesData = data;
  }
  void SetDevicePresent(bool present) override {
    std::lock_guard lock(mMutex);
    mPresent = present;
  }
  int32_t GetCallCount(Call call) override {
    std::lock_guard lock(mMutex);
    return mCounts[Index(call)];
  }
  std::vector<Record> GetLog() override {
    std::lock_guard lock(mMutex);
    return mLog;
  }

  void Emit(const std::vector<uint8_t>& packet) override {
    std::lock_guard lock(mMutex);
    mPackets.push_back(packet);
    if (!mEmitter.joinable()) {
      mStopping = false;
      mEmitter = std::thread([this] { RunEmitter(); });
    }
    mWork.notify_one();
  }
  void WaitUntilEmitted() override {
    std::unique_lock lock(mMutex);
    mEmitted.wait(lock, [this] { return mPackets.empty() && !mEmitting; });
  }
  bool HasCallback() override {
    std::lock_guard lock(mCallbackMutex);
    return mCallback != nullptr;
  }

  // Logs one call and answers its scripted result.
  int32_t Enter(Record record) {
    std::lock_guard lock(mMutex);
    ++mCounts[Index(record.call)];
    const int32_t result = mResults[Index(record.call)];
    mLog.push_back(std::move(record));
    return result;
  }
  void FillDevices(HV::Variant* devices) {
    std::lock_guard lock(mMutex);
    if (!devices) return;
    if (mDevicesType == HV::kVariantEmpty) {
      devices->Clear();
      return;
    }
    devices->Set(mDevicesType, mDevicesData.data(), static_cast<uint32_t>(mDevicesData.size()));
  }
  bool IsPresent() {
    std::lock_guard lock(mMutex);
    return mPresent;
  }
  void SetCallback(ValuesCallback callback, void* context) {
    std::lock_guard lock(mCallbackMutex);
    mCallback = callback;
    mContext = context;
  }
  // After this returns the callback is not running and will not be called again.
  void ForgetCallback() { SetCallback(nullptr, nullptr); }

  void StopEmitter() {
    {
      std::lock_guard lock(mMutex);
      mStopping = true;
      mPackets.clear();
      mWork.notify_one();
    }
    if (mEmitter.joinable()) mEmitter.join();
    mEmitted.notify_all();
  }

 private:
  static size_t Index(Call call) { return static_cast<size_t>(call); }

  void RunEmitter() {
    std::unique_lock lock(mMutex);
    for (;;) {
      mWork.wait(lock, [this] { return mStopping || !mPackets.empty(); });
      if (mStopping) return;
      const std::vector<uint8_t> packet = std::move(mPackets.front());
      mPackets.pop_front();
      mEmitting = true;
      lock.unlock();
      Deliver(packet);
      lock.lock();
      mEmitting = false;
      mEmitted.notify_all();
    }
  }

  void Deliver(const std::vector<uint8_t>& packet) {
    HV::ParamValues values;
    values.Set(HV::kVariantList, packet.data(), static_cast<uint32_t>(packet.size()));
    std::lock_guard lock(mCallbackMutex);
    if (mCallback) mCallback(mContext, 0, &values);
  }

  std::mutex mMutex;
  std::condition_variable mWork;
  std::condition_variable mEmitted;
  std::vector<Record> mLog;
  std::array<int32_t, FakeDeviceControl::kCallCount> mCounts{};
  std::array<int32_t, FakeDeviceControl::kCallCount> mResults{};
  uint32_t mDevicesType = HV::kVariantEmpty;
  std::vector<uint8_t> mDevicesData;
  bool mPresent = false;
  std::deque<std::vector<uint8_t>> mPackets;
  bool mEmitting = false;
  bool mStopping = false;
  std::thread mEmitter;

  // Held while the callback runs, so that forgetting it waits for a delivery.
  std::recursive_mutex mCallbackMutex;
  ValuesCallback mCallback = nullptr;
  void* mContext = nullptr;
};

Control gControl;

// The record of one call: the device it named, the Variant it was given and
// the parameter it was about, as far as the call has them.
Record MakeRecord(Call call, const HV::Variant* device = nullptr, const HV::Variant* argument = nullptr,
                  const HV::ParamDescriptor* descriptor = nullptr) {
  Record record;
  record.call = call;
  record.device = Capture(device);
  record.argument = Capture(argument);
  if (descriptor) {
    record.paramID = descriptor->paramID;
    record.descriptor = Capture(&descriptor->descriptor);
  }
  return record;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) FakeDeviceControl::IControl* FakeDeviceControl_GetControl() {
  return &gControl;
}

int32_t AADI_FindDevices(const DeviceClassGuid*, uint32_t guidCount, HV::Variant* devices) {
  Record record = MakeRecord(Call::FindDevices);
  record.flag = static_cast<int32_t>(guidCount);
  const int32_t result = gControl.Enter(std::move(record));
  if (result >= 0) gControl.FillDevices(devices);
  return result;
}

int32_t AADI_FindRemoteDevices(const DeviceClassGuid*, uint32_t, HV::Variant* devices, int32_t flag) {
  Record record = MakeRecord(Call::FindRemoteDevices);
  record.flag = flag;
  const int32_t result = gControl.Enter(std::move(record));
  if (result >= 0) gControl.FillDevices(devices);
  return result;
}

int32_t AADI_ConnectDevice(const HV::Variant* device, ValuesCallback callback, void* context) {
  const int32_t result = gControl.Enter(MakeRecord(Call::ConnectDevice, device));
  if (result >= 0) gControl.SetCallback(callback, context);
  return result;
}

int32_t AADI_RequestParamRanges(const HV::Variant* device, const HV::ParamRanges* ranges) {
  return gControl.Enter(MakeRecord(Call::RequestParamRanges, device, ranges));
}

int32_t AADI_RequestParamValues(const HV::Variant* device, const HV::Variant* descriptors) {
  return gControl.Enter(MakeRecord(Call::RequestParamValues, device, descriptors));
}

int32_t AADI_GetParamRanges(const HV::Variant* device, HV::Variant*, int32_t flags) {
  Record record = MakeRecord(Call::GetParamRanges, device);
  record.flag = flags;
  return gControl.Enter(std::move(record));
}

int32_t AADI_GetParamValues(const HV::Variant* device, const HV::Variant* descriptors, HV::Variant*) {
  return gControl.Enter(MakeRecord(Call::GetParamValues, device, descriptors));
}

int32_t AADI_GetParamValue(const HV::Variant* device, const HV::ParamDescriptor* descriptor,
                           HV::Variant* value) {
  const int32_t result = gControl.Enter(MakeRecord(Call::GetParamValue, device, nullptr, descriptor));
  // The value of a parameter is its ID, as a 32-bit integer.
  if (result >= 0 && value) value->Set(HV::kVariantInt32, &descriptor->paramID, sizeof(int32_t));
  return result;
}

int32_t AADI_SetParamValue(const HV::Variant* device, const HV::ParamDescriptor* descriptor,
                           const HV::Variant* value) {
  return gControl.Enter(MakeRecord(Call::SetParamValue, device, value, descriptor));
}

int32_t AADI_SetParamValues(const HV::Variant* device, const HV::Variant* values) {
  return gControl.Enter(MakeRecord(Call::SetParamValues, device, values));
}

int32_t AADI_DisconnectDevice(const HV::Variant* device) {
  const int32_t result = gControl.Enter(MakeRecord(Call::DisconnectDevice, device));
  gControl.ForgetCallback();
  return result;
}

int32_t AADI_IsDeviceConnected(const HV::Variant* device) {
  return gControl.Enter(MakeRecord(Call::IsDeviceConnected, device));
}

#ifndef FAKE_WITHOUT_GET_DEVICE_INFO
int32_t AADI_GetDeviceInfo(const HV::Variant* device,
                           uint8_t (*info)[DeviceControlClientApi::kDeviceInfoSize]) {
  const int32_t result = gControl.Enter(MakeRecord(Call::GetDeviceInfo, device));
  if (result >= 0 && info) {
    std::memset(*info, 0, sizeof *info);
    (*info)[DeviceControlClientApi::kDevicePresentByte] = gControl.IsPresent() ? 1 : 0;
  }
  return result;
}
#endif

#ifndef FAKE_WITHOUT_RELEASE_ALL
int32_t AADI_ReleaseAll() {
  const int32_t result = gControl.Enter(MakeRecord(Call::ReleaseAll));
  gControl.ForgetCallback();
  gControl.StopEmitter();
  return result;
}
#endif

}  // extern "C"
