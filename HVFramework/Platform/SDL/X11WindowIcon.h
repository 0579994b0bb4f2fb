#pragma once

// The icon of an X window in every size the program has: the desktop's
// _NET_WM_ICON property, from which the window manager and the task bar each
// pick the size they draw. (SDL sets only one.)

#include <vector>

#include "HVFramework/Platform/UI/IWindowSystem.h"

struct SDL_Window;

namespace HV::Platform {

// The property's items: for each image its width, its height, then its
// 0xAARRGGBB pixels row by row, each item an unsigned long as Xlib takes
// 32-bit properties.
std::vector<unsigned long> EncodeNetWmIcon(const std::vector<WindowIconImage>& images);

// Sets the property on the X window behind window; false on another desktop.
bool SetX11WindowIcon(SDL_Window* window, const std::vector<WindowIconImage>& images);

}  // namespace HV::Platform
