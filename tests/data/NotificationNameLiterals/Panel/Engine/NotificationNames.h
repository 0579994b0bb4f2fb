// Not a names header, though its name ends the same way.
const WChar* kIdle = u"NID_IDLE";
