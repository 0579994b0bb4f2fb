#pragma once

#include "DeviceControl/GeneratedCode/Engine/Inc/DeviceTiming.h"
#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/ParamDescriptor.h"
#include "HVFramework/Utilities/Storage/Variant.h"

#include <cstdint>
#include <functional>

namespace HV {
class ParamRanges;
}  // namespace HV

class DeviceCommunicationReceiver;

// IDeviceLink: what the device model and its engine use of the link to the
// device-control library. The model sees only this; the link implements it
// beside the library's proxy (Panel/Engine/DeviceLink), and whoever makes the
// engine hands it a DeviceLinkFactory that makes one.
class IDeviceLink : public virtual HV::LRefCountedObject {
 public:
  using DeviceList = HV::Array<HV::Variant>;
  // The device information record: byte 252 is non-zero while the device is
  // present.
  static constexpr uint32_t kDeviceInfoSize = 256;
  static constexpr uint32_t kDevicePresentByte = 252;
  using DeviceInfo = uint8_t[kDeviceInfoSize];

  // Parameter IDs the link handles itself.
  static constexpr int32_t kAvailableParamID = -2;     // read without a client: true
  static constexpr int32_t kLocalReplyParamID = -4;    // send: answered by the link
  static constexpr int32_t kDeviceParamID = -8;        // the device-level value
  static constexpr int32_t kMakerNameParamID = -9;     // read without a client
  static constexpr int32_t kProductNameParamID = -10;  // read without a client

  // Loads the library's proxy: 0, or 1 when it exists already; negative
  // when the link cannot work.
  virtual HV::HResult Initialize() = 0;
  virtual void Start() = 0;
  // The devices to connect to at start-up.
  virtual HV::HResult FindDevices(DeviceList* out) = 0;
  // The reachable devices of every class: queries until the list differs
  // from the one given (0) or waitMs have passed (1); E_FAIL on a failure.
  virtual HV::HResult FindRemoteDevices(DeviceList* list, uint32_t waitMs) = 0;
  // Ends a wait of FindRemoteDevices in progress early.
  virtual void CutWaitShort() = 0;
  // One fresh query; the library's result.
  virtual HV::HResult FindRemoteDevicesNow(DeviceList* out) = 0;
  virtual HV::HResult ConnectDevice(const HV::Variant& device) = 0;
  virtual HV::HResult DisconnectDevice() = 0;
  virtual bool IsConnected() = 0;
  virtual HV::HResult GetDeviceInfo(const HV::Variant& device, DeviceInfo* info) = 0;
  virtual HV::HResult RequestParamRanges(const HV::ParamRanges& ranges) = 0;
  virtual HV::HResult RequestParamValue(const HV::ParamDescriptor& descriptor) = 0;
  virtual HV::HResult GetParamValueEx(const HV::ParamDescriptor& descriptor, HV::Variant* out) = 0;
  virtual HV::HResult SendParamValue(const HV::ParamDescriptor& descriptor, const HV::Variant& value) = 0;
  // Hands (token, true) back to the receiver as the value of ID -4, on this
  // thread; false without a receiver.
  virtual bool SendLocalReply(int64_t token) = 0;

  // The receiver is not owned. Both return once every call into the previous
  // receiver in progress on other threads has finished; neither may be called
  // from inside the receiver.
  virtual void SetReceiver(DeviceCommunicationReceiver* receiver) = 0;
  virtual void SetReplyDeliveryEnabled(bool enabled) = 0;

  // Two device lists hold equal identifiers in the same order.
  static bool AreSameDevices(const DeviceList& a, const DeviceList& b) {
    if (a.GetCount() != b.GetCount()) return false;
    const HV::IArray<HV::Variant>& first = a;
    const HV::IArray<HV::Variant>& second = b;
    for (uint32_t i = 0; i < a.GetCount(); ++i) {
      if (!(*first.GetItemPtr(i) == *second.GetItemPtr(i))) return false;
    }
    return true;
  }
};

// Makes the engine's link with the engine's waits; null when there is none.
// The model names no implementation: the program and the tests pass the
// factory of the link they want.
using DeviceLinkFactory = std::function<HV::RCPtr<IDeviceLink>(const DeviceTiming& timing)>;
