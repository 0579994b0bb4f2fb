#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

namespace HV {

// The name of the application's notification centre: where the model, the
// MIDI layer and the user interface meet (GetNotificationCenterManager()->
// GetCenter makes it on first use).
inline constexpr const WChar* kApplicationNotificationCenterName = u"application";

}  // namespace HV
