#pragma once

#include "HVFramework/Notification/NotificationName.h"

namespace HV {

// The notifications of the MIDI port layer.

// A captured message, with its LMidiCaptureNotificationData, from a
// thread-pool worker (LMidiCommInterface).
inline constexpr NotificationName kNidMidiDataCaptured{u"NID_MIDI_DATA_CAPTURED"};
// Devices plugged in or removed (LMidiDeviceStatusChecker).
inline constexpr NotificationName kNidMidiInputDeviceConnectionStatusChanged{
    u"NID_MIDI_INPUT_DEVICE_CONNECTION_STATUS_CHANGED"};
inline constexpr NotificationName kNidMidiOutputDeviceConnectionStatusChanged{
    u"NID_MIDI_OUTPUT_DEVICE_CONNECTION_STATUS_CHANGED"};

}  // namespace HV
