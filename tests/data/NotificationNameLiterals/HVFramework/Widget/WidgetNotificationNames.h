// A names header: its literals are the constants' texts.
inline constexpr NotificationName kNidWidgetPing{u"NID_WIDGET_PING"};
