#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

// LMidiDeviceConnectionStatusChangedNotification: the payload of
// "NID_MIDI_INPUT_DEVICE_CONNECTION_STATUS_CHANGED" and
// "NID_MIDI_OUTPUT_DEVICE_CONNECTION_STATUS_CHANGED": which device (by port
// name) was plugged in or removed. Not changed after it is made.
class LMidiDeviceConnectionStatusChangedNotification : public virtual LRefCountedObject {
 public:
  static constexpr int32_t kConnected = 0;
  static constexpr int32_t kDisconnected = 1;

  static RCPtr<LMidiDeviceConnectionStatusChangedNotification> Create(const StringW& portName,
                                                                      int32_t disconnected);

  const StringW& GetPortName() const { return mPortName; }
  // kDisconnected when the device is now gone, kConnected when it is now there.
  int32_t GetDisconnected() const { return mDisconnected; }
  bool IsDisconnected() const { return mDisconnected != kConnected; }

  StringW ToString() const override;

 protected:
  LMidiDeviceConnectionStatusChangedNotification(const StringW& portName, int32_t disconnected)
      : mPortName(portName), mDisconnected(disconnected) {}

 private:
  const StringW mPortName;
  const int32_t mDisconnected;
};

}  // namespace HV
