#pragma once

#include "HVFramework/Notification/NotificationName.h"

namespace HV {

// The notifications every control sends about itself (LControl), and the
// application's exit request. Skins name them by the same texts.

// Mouse input over the control, with its LMouseParam.
inline constexpr NotificationName kNidMouseDown{u"NID_MOUSE_DOWN"};
inline constexpr NotificationName kNidMouseMove{u"NID_MOUSE_MOVE"};
inline constexpr NotificationName kNidMouseUp{u"NID_MOUSE_UP"};
inline constexpr NotificationName kNidLeftClick{u"NID_LEFT_CLICK"};
inline constexpr NotificationName kNidMiddleClick{u"NID_MIDDLE_CLICK"};
inline constexpr NotificationName kNidRightClick{u"NID_RIGHT_CLICK"};

// A change of the control's conditions, with its LConditionsParam: any
// change, then one per condition that changed. "VISIBLITY" is the name's
// own spelling.
inline constexpr NotificationName kNidConditionChange{u"NID_CONDITION_CHANGE"};
inline constexpr NotificationName kNidHasFocusConditionChange{u"NID_HAS_FOCUS_CONDITION_CHANGE"};
inline constexpr NotificationName kNidContainsFocusConditionChange{u"NID_CONTAINS_FOCUS_CONDITION_CHANGE"};
inline constexpr NotificationName kNidHoverConditionChange{u"NID_HOVER_CONDITION_CHANGE"};
inline constexpr NotificationName kNidCaptureConditionChange{u"NID_CAPTURE_CONDITION_CHANGE"};
inline constexpr NotificationName kNidLeftDragConditionChange{u"NID_LEFT_DRAG_CONDITION_CHANGE"};
inline constexpr NotificationName kNidMiddleDragConditionChange{u"NID_MIDDLE_DRAG_CONDITION_CHANGE"};
inline constexpr NotificationName kNidRightDragConditionChange{u"NID_RIGHT_DRAG_CONDITION_CHANGE"};
inline constexpr NotificationName kNidEnabledConditionChange{u"NID_ENABLED_CONDITION_CHANGE"};
inline constexpr NotificationName kNidVisibilityConditionChange{u"NID_VISIBLITY_CONDITION_CHANGE"};

// The control's value changed, with its LValueParam.
inline constexpr NotificationName kNidValueChange{u"NID_VALUE_CHANGE"};
// The control's content scrolled; no payload.
inline constexpr NotificationName kNidScrollOffsetChange{u"NID_SCROLL_OFFSET_CHANGE"};
// A key reached the control, offered to its listeners first, with an
// LSiblingKeyParam.
inline constexpr NotificationName kNidSiblingKey{u"NID_SIBLING_KEY"};

// The exit request, at the application centre: posted by the main window's
// close box (hv_os_window) and by the skin's hot key, answered by the
// application (hv_application). Neither library links the other, so the name
// is published here, below both.
inline constexpr NotificationName kNidAppExitReq{u"NID_APP_EXIT_REQ"};

}  // namespace HV
