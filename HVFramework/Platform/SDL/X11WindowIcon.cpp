#include "HVFramework/Platform/SDL/X11WindowIcon.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace HV::Platform {

std::vector<unsigned long> EncodeNetWmIcon(const std::vector<WindowIconImage>& images) {
  std::vector<unsigned long> items;
  for (const WindowIconImage& image : images) {
    items.push_back(static_cast<unsigned long>(image.width));
    items.push_back(static_cast<unsigned long>(image.height));
    items.insert(items.end(), image.pixels.begin(), image.pixels.end());
  }
  return items;
}

bool SetX11WindowIcon(SDL_Window* window, const std::vector<WindowIconImage>& images) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  Display* display = info.info.x11.display;
  const std::vector<unsigned long> items = EncodeNetWmIcon(images);
  const Atom property = XInternAtom(display, "_NET_WM_ICON", False);
  XChangeProperty(display, info.info.x11.window, property, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(items.data()), static_cast<int>(items.size()));
  XFlush(display);
  return true;
}

}  // namespace HV::Platform
