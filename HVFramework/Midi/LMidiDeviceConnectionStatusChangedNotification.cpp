#include "HVFramework/Midi/LMidiDeviceConnectionStatusChangedNotification.h"

namespace HV {

RCPtr<LMidiDeviceConnectionStatusChangedNotification> LMidiDeviceConnectionStatusChangedNotification::Create(
    const StringW& portName, int32_t disconnected) {
  return RCPtr<LMidiDeviceConnectionStatusChangedNotification>(
      new LMidiDeviceConnectionStatusChangedNotification(portName, disconnected));
}

StringW LMidiDeviceConnectionStatusChangedNotification::ToString() const {
  return StringW::FromFormat(u"%s %s", mPortName, IsDisconnected() ? u"disconnected" : u"connected");
}

}  // namespace HV
