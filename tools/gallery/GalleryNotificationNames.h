#pragma once

#include "HVFramework/Notification/NotificationName.h"

namespace HV {

// The gallery's menu commands. Only the skin names them (the string table's
// menu item ids, "CONTEXT_MENU0.00.NID_MENU_FILE_EXIT_REQ"): the menu bar
// posts an item's name as its text, and the gallery listens by these.
inline constexpr NotificationName kNidMenuFileExitReq{u"NID_MENU_FILE_EXIT_REQ"};
inline constexpr NotificationName kNidMenuHelpAboutReq{u"NID_MENU_HELP_ABOUT_REQ"};

}  // namespace HV
