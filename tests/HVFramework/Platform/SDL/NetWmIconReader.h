#pragma once

// Reads what the desktop sees of a window's icon, on an X connection of its
// own (kept apart from the tests: Xlib's macros clash with GoogleTest's names).

#include <cstdint>
#include <vector>

namespace HV::Platform {

// The items of the X window's _NET_WM_ICON property; empty when it has none.
std::vector<unsigned long> ReadNetWmIcon(uint64_t window);

}  // namespace HV::Platform
