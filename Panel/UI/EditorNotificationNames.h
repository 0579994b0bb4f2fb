#pragma once

#include "HVFramework/Notification/NotificationName.h"

namespace HV {

// The editor's file commands: raised by its window-wide hot keys (the
// "GHK_WIN." entries of its string table) and its File menu. No payload.
inline constexpr NotificationName kNidMenuFileLoadPresetFromFile{u"NID_MENU_FILE_LOAD_PRESET_FROM_FILE"};
inline constexpr NotificationName kNidMenuFileSavePresetToFile{u"NID_MENU_FILE_SAVE_PRESET_TO_FILE"};
inline constexpr NotificationName kNidMenuFileSendPresetToDevice{u"NID_MENU_FILE_SEND_PRESET_TO_DEVICE"};
inline constexpr NotificationName kNidMenuFileLoadPresetFromDevice{u"NID_MENU_FILE_LOAD_PRESET_FROM_DEVICE"};

}  // namespace HV
