#pragma once

#include "HVFramework/Notification/NotificationName.h"

namespace HV {

// The editor's file commands: raised by its window-wide hot keys (the
// "GHK_WIN." entries of its string table) and its File menu. No payload.
inline constexpr NotificationName kNidMenuFileLoadPresetFromFile{u"NID_MENU_FILE_LOAD_PRESET_FROM_FILE"};
inline constexpr NotificationName kNidMenuFileSavePresetToFile{u"NID_MENU_FILE_SAVE_PRESET_TO_FILE"};
inline constexpr NotificationName kNidMenuFileSendPresetToDevice{u"NID_MENU_FILE_SEND_PRESET_TO_DEVICE"};
inline constexpr NotificationName kNidMenuFileLoadPresetFromDevice{u"NID_MENU_FILE_LOAD_PRESET_FROM_DEVICE"};

// The other commands of the main menu (its string table names them), posted
// into the main window's queue. No payload.
inline constexpr NotificationName kNidMenuFileGlobalSettingsReq{u"NID_MENU_FILE_GLOBALSETTINGS_REQ"};
inline constexpr NotificationName kNidMenuFileExitReq{u"NID_MENU_FILE_EXIT_REQ"};
inline constexpr NotificationName kNidMenuHelpOpenUserGuideReq{u"NID_MENU_HELP_OPEN_USER_GUIDE_REQ"};
inline constexpr NotificationName kNidMenuHelpAboutReq{u"NID_MENU_HELP_ABOUT_REQ"};

// The desktop's program for a document the editor opened (the user guide)
// ended with a failure: posted to the application centre from the opener's
// own thread. Payload: the document's path (LStringTag).
inline constexpr NotificationName kNidDocumentOpenFailed{u"NID_DOCUMENT_OPEN_FAILED"};

// Raised by a shared editor at once when the user changes its record. No payload.
inline constexpr NotificationName kNidParametersChanged{u"NID_PARAMETERS_CHANGED"};

// The global settings dialog's own: its window runs (the fetch of its
// opening follows), and settings the keyboard reported on another thread wait
// to be shown. No payload.
inline constexpr NotificationName kNidGlobalSettingsOpened{u"NID_GLOBAL_SETTINGS_OPENED"};
inline constexpr NotificationName kNidGlobalSettingsReceived{u"NID_GLOBAL_SETTINGS_RECEIVED"};

}  // namespace HV
