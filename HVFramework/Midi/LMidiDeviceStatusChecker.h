#pragma once

#include "HVFramework/Midi/LMidiCommInterface.h"
#include "HVFramework/Midi/MidiNotificationNames.h"
#include "HVFramework/Notification/LNotificationQueue.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/System/Mutex.h"
#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/StringArrayT.h"

#include <cstdint>

namespace HV {

// LMidiDeviceStatusChecker: watches a fixed set of MIDI input and output
// devices, by port name, and posts a notification when one is plugged in or
// removed ("NID_MIDI_INPUT_DEVICE_CONNECTION_STATUS_CHANGED" /
// "NID_MIDI_OUTPUT_DEVICE_CONNECTION_STATUS_CHANGED", payload
// LMidiDeviceConnectionStatusChangedNotification). A device is present when
// its port opens. Checks may run on several threads at once: each list is
// checked under its own lock, so a change is announced once.
class LMidiDeviceStatusChecker : public virtual LRefCountedObject {
 public:
  struct DeviceInfo {
    StringW name;
    bool isConnected = false;
  };

  static constexpr const NotificationName& kInputStatusChangedName = kNidMidiInputDeviceConnectionStatusChanged;
  static constexpr const NotificationName& kOutputStatusChangedName = kNidMidiOutputDeviceConnectionStatusChanged;

  // Posts into the queue given, else into the application notification
  // centre (looked up now, on the calling thread).
  static RCPtr<LMidiDeviceStatusChecker> Create(const RCPtr<LMidiCommInterface>& comm,
                                                const RCPtr<LNotificationQueue>& queue = nullptr);

  // Appends one record per name, with the presence found now: the state at
  // start is not announced.
  void RecordInputDevices(const StringArrayW& names);
  void RecordOutputDevices(const StringArrayW& names);
  // One pass over the list, announcing every change; true when every
  // recorded device is connected afterwards.
  bool CheckInputDevices();
  bool CheckOutputDevices();

 protected:
  LMidiDeviceStatusChecker(const RCPtr<LMidiCommInterface>& comm, const RCPtr<LNotificationQueue>& queue);

 private:
  enum class Direction { Input, Output };
  struct DeviceList {
    explicit DeviceList(Direction d) : direction(d) {}
    const Direction direction;
    Mutex lock;
    Array<DeviceInfo> devices;
  };

  void Record(DeviceList& list, const StringArrayW& names);
  bool Check(DeviceList& list);
  bool IsPresent(Direction direction, const StringW& name);
  void Announce(Direction direction, const StringW& name, bool isConnected);

  const RCPtr<LMidiCommInterface> mComm;
  const RCPtr<LNotificationQueue> mQueue;
  DeviceList mInputs{Direction::Input};
  DeviceList mOutputs{Direction::Output};
};

}  // namespace HV
