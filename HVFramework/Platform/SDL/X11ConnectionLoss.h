#pragma once

// What the program does when its X server goes away (the server ends or the
// connection breaks): Xlib's default ends the process with exit(), which runs
// the static destructors and exit handlers while the code that was talking to
// X (a message box's own loop, say) is still on the stack, and they free what
// it still uses. The handler installed here says why on standard error and
// ends the process at once, with kX11ConnectionLostExitCode, without them:
// nothing more can reach the user on that display anyway.
//
// Process-wide: it covers every X connection of the process (SDL's, its
// message boxes', the clipboard reader's, the splash screen's).

namespace HV::Platform {

inline constexpr int kX11ConnectionLostExitCode = 3;

// Installs the handler; any thread, any number of times.
void InstallX11ConnectionLossHandler();

// What the handler does; never returns.
[[noreturn]] void EndProgramOnX11ConnectionLoss();

}  // namespace HV::Platform
