#include "HVFramework/Midi/LMidiDeviceStatusChecker.h"

#include "HVFramework/Midi/LMidiCapturePort.h"
#include "HVFramework/Midi/LMidiDeviceConnectionStatusChangedNotification.h"
#include "HVFramework/Midi/LMidiRenderPort.h"
#include "HVFramework/Notification/LNotificationCenterManager.h"
#include "HVFramework/System/MutexLocker.h"

namespace HV {

RCPtr<LMidiDeviceStatusChecker> LMidiDeviceStatusChecker::Create(const RCPtr<LMidiCommInterface>& comm,
                                                                 const RCPtr<LNotificationQueue>& queue) {
  RCPtr<LNotificationQueue> target = queue;
  if (!target) target = GetNotificationCenterManager()->GetCenter(StringW(kApplicationNotificationCenterName));
  return RCPtr<LMidiDeviceStatusChecker>(new LMidiDeviceStatusChecker(comm, target));
}

LMidiDeviceStatusChecker::LMidiDeviceStatusChecker(const RCPtr<LMidiCommInterface>& comm,
                                                   const RCPtr<LNotificationQueue>& queue)
    : mComm(comm), mQueue(queue) {}

void LMidiDeviceStatusChecker::RecordInputDevices(const StringArrayW& names) { Record(mInputs, names); }

void LMidiDeviceStatusChecker::RecordOutputDevices(const StringArrayW& names) { Record(mOutputs, names); }

bool LMidiDeviceStatusChecker::CheckInputDevices() { return Check(mInputs); }

bool LMidiDeviceStatusChecker::CheckOutputDevices() { return Check(mOutputs); }

void LMidiDeviceStatusChecker::Record(DeviceList& list, const StringArrayW& names) {
  MutexLocker lock(&list.lock);
  for (uint32_t i = 0; i < names.GetCount(); ++i) {
    const StringW& name = *names.GetItemPtr(i);
    list.devices.AddItem({name, IsPresent(list.direction, name)});
  }
}

bool LMidiDeviceStatusChecker::Check(DeviceList& list) {
  MutexLocker lock(&list.lock);
  bool isEveryDeviceConnected = true;
  for (uint32_t i = 0; i < list.devices.GetCount(); ++i) {
    DeviceInfo& device = *list.devices.GetItemPtr(i);
    const bool isPresent = IsPresent(list.direction, device.name);
    if (isPresent != device.isConnected) {
      Announce(list.direction, device.name, isPresent);
      device.isConnected = isPresent;
    }
    isEveryDeviceConnected = isEveryDeviceConnected && device.isConnected;
  }
  return isEveryDeviceConnected;
}

bool LMidiDeviceStatusChecker::IsPresent(Direction direction, const StringW& name) {
  if (direction == Direction::Input) {
    RCPtr<LMidiCapturePort> port;
    return Succeeded(mComm->OpenCapturePort(name, port)) && port;
  }
  RCPtr<LMidiRenderPort> port;
  return Succeeded(mComm->OpenRenderPort(name, port)) && port;
}

void LMidiDeviceStatusChecker::Announce(Direction direction, const StringW& name, bool isConnected) {
  if (!mQueue) return;
  const NotificationName& announced =
      direction == Direction::Input ? kInputStatusChangedName : kOutputStatusChangedName;
  using Payload = LMidiDeviceConnectionStatusChangedNotification;
  mQueue->CreateAndPostNotification(
      announced, Payload::Create(name, isConnected ? Payload::kConnected : Payload::kDisconnected));
}

}  // namespace HV
