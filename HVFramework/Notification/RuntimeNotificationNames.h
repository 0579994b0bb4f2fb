#pragma once

#include "HVFramework/Notification/NotificationName.h"

namespace HV {

// The notifications the runtime sends.

// After a queue's drain, when asked for (the idle passes); no payload.
inline constexpr NotificationName kNidIdle{u"NID_IDLE"};

}  // namespace HV
