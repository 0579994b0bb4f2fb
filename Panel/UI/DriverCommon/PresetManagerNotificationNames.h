#pragma once

#include "HVFramework/Notification/NotificationName.h"

namespace HV {

// Sent by the preset manager to the clients registered with it, around every
// load of a preset file: before reading (no payload) and after it (an
// LPresetFileLoadNotificationData with the load result).
inline constexpr NotificationName kNidPresetFilePreLoad{u"NID_PRESETFILE_PRE_LOAD"};
inline constexpr NotificationName kNidPresetFilePostLoad{u"NID_PRESETFILE_POST_LOAD"};

// Received by the preset manager from the application centre: load the
// preset file whose path is the payload (an LStringTag, a wrapped wide text).
inline constexpr NotificationName kNidGlobalLoadControlPanelSettings{u"NID_GLOBAL_LOAD_CONTROL_PANEL_SETTINGS"};

}  // namespace HV
