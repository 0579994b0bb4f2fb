#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceLinkInterface.h"
#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceTiming.h"
#include "HVFramework/ObjectBase/Wrapper.h"
#include "HVFramework/System/Event.h"
#include "HVFramework/System/Mutex.h"
#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/ParamValues.h"
#include "HVFramework/Utilities/Storage/RCPtrQueue.h"
#include "HVFramework/Utilities/Storage/StringT.h"
#include "Panel/Engine/DeviceLink/DeviceControlClientInterface.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace HV {
class LEvent;
class LEventGatedThreader;
class ParamRanges;
}  // namespace HV

// LDeviceCommunicationInterface: the device model's only path to the
// device-control library. It forwards requests to the client proxy, always
// naming the connected device, answers a few reserved IDs itself, and carries
// the values the library sends back to its receiver on a delivery thread of
// its own, in the order they arrived.
//
// Threads: the model's callers (user interface, engine worker) call the
// operations; the library calls back on its own thread, which only queues
// the packet; the delivery thread hands packets to the receiver. No lock of
// the link is held while the receiver or the library is called. Made by
// Create, held through RCPtr; the delivery thread holds an internal
// reference, given back when the last outside reference goes.
class LDeviceCommunicationInterface : public IDeviceLink {
 public:
  using Packet = HV::LWrapper<HV::ParamValues, HV::LRefCountedObject>;
  using DeviceClassGuid = DeviceControlClientApi::DeviceClassGuid;
  using GuidList = HV::Array<DeviceClassGuid>;
  static_assert(kDeviceInfoSize == DeviceControlClientApi::kDeviceInfoSize &&
                kDevicePresentByte == DeviceControlClientApi::kDevicePresentByte);

  // A link with no client yet; Initialize loads the library from
  // libraryPath, or without one from beside the program.
  static HV::RCPtr<LDeviceCommunicationInterface> Create(
      const HV::WChar* libraryPath = nullptr, const DeviceTiming& timing = DeviceTiming::Specified());
  ~LDeviceCommunicationInterface() override;

  // 0 after making the client proxy (the library may be missing: every call
  // then answers -1); 1 when it exists already.
  HV::HResult Initialize() override;
  // Always true.
  virtual bool IsAvailable();
  // Hands (token, true) back to the receiver as the value of ID -4, on this
  // thread; false without a receiver.
  bool SendLocalReply(int64_t token) override;
  // Returns once a client call that reads the connected device has finished.
  virtual void Synchronize();
  void Start() override;
  // One entry, an empty identifier; the library is not asked.
  virtual HV::HResult FindDevices(const GuidList& guids, DeviceList* out);
  // Queries until the reachable list differs from the one given (0, list
  // updated) or waitMs have passed on the program's clock (1); E_FAIL on a
  // failed query. CutWaitShort ends a wait in progress early (1).
  virtual HV::HResult FindRemoteDevices(const GuidList& guids, DeviceList* list, uint32_t waitMs);
  void CutWaitShort() override;
  // One fresh query; the library's result (1 means something to the engine).
  virtual HV::HResult FindRemoteDevicesNow(const GuidList& guids, DeviceList* out);
  // The same for every class of devices (an empty list of classes).
  HV::HResult FindDevices(DeviceList* out) override { return FindDevices({}, out); }
  HV::HResult FindRemoteDevices(DeviceList* list, uint32_t waitMs) override {
    return FindRemoteDevices({}, list, waitMs);
  }
  HV::HResult FindRemoteDevicesNow(DeviceList* out) override { return FindRemoteDevicesNow({}, out); }
  HV::HResult ConnectDevice(const HV::Variant& device) override;
  HV::HResult RequestParamRanges(const HV::ParamRanges& ranges) override;
  virtual HV::HResult RequestParamValues(const HV::Variant& descriptors);
  HV::HResult RequestParamValue(const HV::ParamDescriptor& descriptor) override;
  virtual HV::HResult GetParamRanges(HV::Variant* ranges, int32_t flags);
  virtual HV::HResult GetParamValues(const HV::Variant& descriptors, HV::Variant* values);
  HV::HResult GetParamValueEx(const HV::ParamDescriptor& descriptor, HV::Variant* out) override;
  HV::HResult SendParamValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value) override;
  virtual HV::HResult SetParamValues(const HV::Variant& values);
  // Always true: the link counts as connected with or without a library.
  bool IsConnected() override;
  virtual HV::HResult GetConnectedDevice(HV::Variant* out);
  HV::HResult DisconnectDevice() override;
  HV::HResult GetDeviceInfo(const HV::Variant& device, DeviceInfo* info) override;
  // The device-level value (ID -8).
  virtual HV::HResult GetParamValue(HV::Variant* out);
  virtual HV::HResult SetParamValue(const HV::Variant& value);
  virtual HV::HResult GetStatus(int32_t* out);

  void SetReceiver(DeviceCommunicationReceiver* receiver) override;
  void SetReplyDeliveryEnabled(bool enabled) override;

  // Stops the delivery thread and gives back its internal reference.
  HV::HResult ReleaseInternalReferences() override;

  // The delivery thread's work: every queued packet, oldest first, to the
  // receiver while delivery is enabled; dropped otherwise. One thread drains
  // at a time; a second caller waits for the first to finish.
  void DeliverQueuedPackets();

 protected:
  LDeviceCommunicationInterface(const HV::WChar* libraryPath, const DeviceTiming& timing);

 private:
  // The receiver, counted as in use until LeaveReceiver; null when there is
  // none, or when onlyWhileDelivering and delivery is off.
  DeviceCommunicationReceiver* EnterReceiver(bool onlyWhileDelivering);
  void LeaveReceiver();
  // Waits, with mGateLock held by lock, until no receiver call is in progress.
  void WaitForReceiverCalls(std::unique_lock<std::mutex>& lock);
  void BeginDraining();
  void EndDraining();
  // The values callback given to the library.
  static void ReceiveFromLibrary(void* context, int32_t ignored, HV::Variant* values);
  void StartDeliveryThread();
  HV::Variant CopyConnectedDevice();
  bool HasClient() const { return mClient != nullptr; }

  HV::Mutex mLinkLock;  // guards mConnectedDevice
  HV::RCPtr<HV::LEvent> mEvent;
  HV::RCPtr<HV::LEventGatedThreader> mThreader;
  std::recursive_mutex mQueueLock;
  HV::RCPtrQueue<Packet, 256> mReplyQueue{&mQueueLock};
  std::unique_ptr<HV::DeviceControlClientInterface> mClient;
  HV::Variant mConnectedDevice;
  // The gate into the receiver: mGateLock guards the four members below it;
  // mGateChanged wakes whoever waits for the calls or the drain to end.
  std::mutex mGateLock;
  std::condition_variable mGateChanged;
  bool mDeliveryEnabled = false;
  DeviceCommunicationReceiver* mReceiver = nullptr;
  uint32_t mReceiverCalls = 0;  // calls into the receiver in progress
  bool mDraining = false;       // a thread is in DeliverQueuedPackets
  HV::Event mWaitCut{true};     // cuts FindRemoteDevices's wait short
  const DeviceTiming mTiming;
  const HV::StringW mLibraryPath;  // empty: beside the program
};

// The program's device link: the library beside the program, with these
// waits. A DeviceLinkFactory, as the engine is given it:
// LRootModuleEngine::Create(CreateDeviceLink).
HV::RCPtr<IDeviceLink> CreateDeviceLink(const DeviceTiming& timing);
