#include "tests/HVFramework/Platform/SDL/NetWmIconReader.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace HV::Platform {

std::vector<unsigned long> ReadNetWmIcon(uint64_t window) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return {};
  std::vector<unsigned long> items;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long left = 0;
  unsigned char* data = nullptr;
  const Atom property = XInternAtom(display, "_NET_WM_ICON", False);
  if (XGetWindowProperty(display, window, property, 0, 1 << 20, False, XA_CARDINAL, &type, &format, &count, &left,
                         &data) == Success &&
      format == 32 && data) {
    // Xlib hands 32-bit items over as longs, sign-extended: the top bits are none of the item's.
    const auto* first = reinterpret_cast<const unsigned long*>(data);
    for (unsigned long i = 0; i < count; ++i) items.push_back(first[i] & 0xFFFFFFFFul);
  }
  if (data) XFree(data);
  XCloseDisplay(display);
  return items;
}

}  // namespace HV::Platform
