// "NID_WIDGET_PING" in a comment is no literal.
void Widget::Ping() { SendNotification(LNotification::Create(kNidWidgetPing)); }
void Widget::Pong() { SendNotification(LNotification::Create(u"NID_WIDGET_PONG")); }
