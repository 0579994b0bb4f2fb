#pragma once

// What the window manager is told of an X window behind an SDL window, and
// asked of it, where SDL has no call for it:
//   - the client area, not the frame, goes where the window is placed (the
//     static window gravity), at its first showing and at every move;
//   - a dialog's window type, its modal state and its frame's functions
//     (no minimise or maximise buttons, sizing only when it is resizable);
//   - the frame's extents before the window is first shown;
//   - the reason a display cannot be opened.
// Each call does nothing and answers false (or nothing) on another desktop.
// UI thread (SDL's), except DescribeX11DisplayFailure.

#include <optional>
#include <string>

#include "HVFramework/Platform/UI/IWindowSystem.h"

struct SDL_Window;

namespace HV::Platform {

// Before the window is first shown: its gravity, and for a dialog its type,
// modal state and frame functions.
bool PrepareX11Window(SDL_Window* window, const WindowSpec& spec);

// Puts the window's client area at (x, y) of the screen.
bool MoveX11Window(SDL_Window* window, int32_t x, int32_t y);

// The frame the window manager puts around the window, asked of it before
// the window is first shown; nothing without a window manager that answers.
// Waits for the answer on a connection of its own, at most
// kFrameExtentsWaitMilliseconds, and only when the window manager says it answers.
inline constexpr int kFrameExtentsWaitMilliseconds = 2000;
std::optional<FrameExtents> RequestX11FrameExtents(SDL_Window* window);

// Why the X display named displayName cannot be opened, in the system's
// words; empty when it can be.
std::string DescribeX11DisplayFailure(const std::string& displayName);

}  // namespace HV::Platform
