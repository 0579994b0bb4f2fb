#pragma once

// What the program does when the X server refuses one of its requests (a
// window another client destroyed, a property of a window that is closing):
// Xlib's default prints the error and ends the process with exit(), which
// loses the user's unsaved work and runs the static destructors while the
// program is still running. A refused request is not a lost connection: the
// handler installed here says which request failed on standard error (the
// first few times) and lets the program go on.
//
// Process-wide: it covers every X connection of the process. Code that
// installs a handler of its own around a call (SDL does) puts this one back.

namespace HV::Platform {

// Installs the handler; any thread, any number of times.
void InstallX11ProtocolErrorHandler();

}  // namespace HV::Platform
