#pragma once

#include "HVFramework/Notification/NotificationName.h"

namespace HV {

// The notifications of the containers.

// A dialog about to close, with an LCancelArgs its listeners may veto
// through; then, once it closed, no payload.
inline constexpr NotificationName kNidDialogClosing{u"NID_DIALOG_CLOSING"};
inline constexpr NotificationName kNidDialogClosed{u"NID_DIALOG_CLOSED"};
// A scroll view's content extent changed; no payload.
inline constexpr NotificationName kNidClientExtentChange{u"NID_CLIENT_EXTENT_CHANGE"};

}  // namespace HV
