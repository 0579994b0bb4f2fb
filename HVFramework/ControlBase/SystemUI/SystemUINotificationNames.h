#pragma once

#include "HVFramework/Notification/NotificationName.h"

namespace HV {

// The edit commands the clipboard service (LClipboard) carries out for the
// control with the focus: sent by edit menus and, under the same texts, by
// the skin's hot keys. No payload.
inline constexpr NotificationName kNidEditCutReq{u"NID_EDIT_CUT_REQ"};
inline constexpr NotificationName kNidEditCopyReq{u"NID_EDIT_COPY_REQ"};
inline constexpr NotificationName kNidEditPasteReq{u"NID_EDIT_PASTE_REQ"};
inline constexpr NotificationName kNidEditDeleteReq{u"NID_EDIT_DELETE_REQ"};

}  // namespace HV
