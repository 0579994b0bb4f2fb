#pragma once

#include "HVFramework/Notification/NotificationName.h"

namespace HV {

// The notifications the framework's controls send beyond those of every
// control (ControlNotificationNames.h). Payloads are described by the
// controls that send them.

// Lists, tables, trees, combo boxes and menus.
inline constexpr NotificationName kNidSelectionChange{u"NID_SELECTION_CHANGE"};
inline constexpr NotificationName kNidItemActivated{u"NID_ITEM_ACTIVATED"};
inline constexpr NotificationName kNidItemDoubleClicked{u"NID_ITEM_DOUBLE_CLICKED"};
inline constexpr NotificationName kNidItemRightClick{u"NID_ITEM_RIGHT_CLICK"};
inline constexpr NotificationName kNidItemHoverConditionChange{u"NID_ITEM_HOVER_CONDITION_CHANGE"};
inline constexpr NotificationName kNidItemLeftDragConditionChange{u"NID_ITEM_LEFT_DRAG_CONDITION_CHANGE"};
inline constexpr NotificationName kNidItemCheckChange{u"NID_ITEM_CHECK_CHANGE"};
inline constexpr NotificationName kNidItemCheckboxClicked{u"NID_ITEM_CHECKBOX_CLICKED"};
inline constexpr NotificationName kNidDropdownOpening{u"NID_DROPDOWN_OPENING"};

// The tab control, in the order it sends them.
inline constexpr NotificationName kNidTabButtonClicked{u"NID_TAB_BUTTON_CLICKED"};
inline constexpr NotificationName kNidTabBecomingUnselected{u"NID_TAB_BECOMING_UNSELECTED"};
inline constexpr NotificationName kNidTabSelected{u"NID_TAB_SELECTED"};

// Buttons: a click asked for by program (sent to the button), and the
// repeats of a held auto-repeat button.
inline constexpr NotificationName kNidSimulateClick{u"NID_SIMULATE_CLICK"};
inline constexpr NotificationName kNidButtonAutorepeat{u"NID_BUTTON_AUTOREPEAT"};

// The text box.
inline constexpr NotificationName kNidTextboxTextChange{u"NID_TEXTBOX_TEXT_CHANGE"};
inline constexpr NotificationName kNidTextboxValidating{u"NID_TEXTBOX_VALIDATING"};
inline constexpr NotificationName kNidTextboxValidated{u"NID_TEXTBOX_VALIDATED"};

// Value controls driven by the mouse and the keys (sliders, knobs).
inline constexpr NotificationName kNidValueChangeCapture{u"NID_VALUE_CHANGE_CAPTURE"};
inline constexpr NotificationName kNidValueChangeKeyDown{u"NID_VALUE_CHANGE_KEY_DOWN"};
inline constexpr NotificationName kNidValueChangeKeyUp{u"NID_VALUE_CHANGE_KEY_UP"};

// The status bar's text, posted from any thread into its own queue.
inline constexpr NotificationName kNidSetStatusText{u"NID_SET_STATUS_TEXT"};
// The level meter's clip light went out.
inline constexpr NotificationName kNidCliplightUnlatched{u"NID_CLIPLIGHT_UNLATCHED"};

}  // namespace HV
