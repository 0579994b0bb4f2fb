#pragma once

#include "HVFramework/Notification/NotificationName.h"

namespace HV {

// A global parameter's reply, published by the MIDI manager on the requesting
// thread. "RECIEVED" is the name's own spelling: listeners match it as it is.
inline constexpr NotificationName kNidMidiManagerParameterRecieved{u"NID_MIDIMANAGER_PARAMETER_RECIEVED"};

}  // namespace HV
