#include "HVFramework/Platform/SDL/X11WindowManagerHints.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>

#include <poll.h>

namespace HV::Platform {
namespace {

// The frame functions and decorations of the Motif hints, which window
// managers read to leave buttons off a frame.
constexpr unsigned long kMotifFunctionsFlag = 1, kMotifDecorationsFlag = 2;
constexpr unsigned long kMotifResize = 2, kMotifMove = 4, kMotifClose = 32;
constexpr unsigned long kMotifBorder = 2, kMotifResizeHandle = 4, kMotifTitle = 8, kMotifMenu = 16;
struct MotifHints {
  unsigned long flags;
  unsigned long functions;
  unsigned long decorations;
  long inputMode;
  unsigned long status;
};

struct X11Window {
  Display* display = nullptr;
  ::Window window = 0;
};

std::optional<X11Window> FindX11Window(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return std::nullopt;
  return X11Window{info.info.x11.display, info.info.x11.window};
}

Atom Intern(Display* display, const char* name) { return XInternAtom(display, name, False); }

void SetStaticGravity(const X11Window& x) {
  XSizeHints* hints = XAllocSizeHints();
  if (!hints) return;
  long supplied = 0;
  XGetWMNormalHints(x.display, x.window, hints, &supplied);
  hints->flags |= PWinGravity;
  hints->win_gravity = StaticGravity;
  XSetWMNormalHints(x.display, x.window, hints);
  XFree(hints);
}

void MakeDialog(const X11Window& x, const WindowSpec& spec) {
  const Atom type = Intern(x.display, "_NET_WM_WINDOW_TYPE_DIALOG");
  XChangeProperty(x.display, x.window, Intern(x.display, "_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&type), 1);
  if (spec.isModal) {
    // Read by the window manager when the window is first shown; SDL's own states stay.
    const Atom modal = Intern(x.display, "_NET_WM_STATE_MODAL");
    XChangeProperty(x.display, x.window, Intern(x.display, "_NET_WM_STATE"), XA_ATOM, 32, PropModeAppend,
                    reinterpret_cast<const unsigned char*>(&modal), 1);
  }
  MotifHints hints{kMotifFunctionsFlag | kMotifDecorationsFlag, kMotifMove | kMotifClose,
                   kMotifBorder | kMotifTitle | kMotifMenu, 0, 0};
  if (spec.isResizable) {
    hints.functions |= kMotifResize;
    hints.decorations |= kMotifResizeHandle;
  }
  const Atom motif = Intern(x.display, "_MOTIF_WM_HINTS");
  XChangeProperty(x.display, x.window, motif, motif, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&hints),
                  sizeof hints / sizeof(long));
}

// Whether the window manager says it answers a request for frame extents.
bool SupportsFrameExtentsRequest(Display* display) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const Atom wanted = Intern(display, "_NET_REQUEST_FRAME_EXTENTS");
  if (XGetWindowProperty(display, DefaultRootWindow(display), Intern(display, "_NET_SUPPORTED"), 0, 4096, False,
                         XA_ATOM, &type, &format, &count, &after, &data) != Success || !data)
    return false;
  const Atom* atoms = reinterpret_cast<const Atom*>(data);
  bool isSupported = false;
  for (unsigned long i = 0; i < count && !isSupported; ++i) isSupported = atoms[i] == wanted;
  XFree(data);
  return isSupported;
}

std::optional<FrameExtents> ReadFrameExtents(Display* display, ::Window window, Atom property) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, property, 0, 4, False, XA_CARDINAL, &type, &format, &count, &after,
                         &data) != Success || !data)
    return std::nullopt;
  std::optional<FrameExtents> extents;
  if (count == 4 && format == 32) {
    const long* sides = reinterpret_cast<const long*>(data);
    extents = FrameExtents{int32_t(sides[0]), int32_t(sides[2]), int32_t(sides[1]), int32_t(sides[3])};
  }
  XFree(data);
  return extents;
}

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};

// Waits on the connection until the property changes on the window, or the time is up.
bool WaitForPropertyChange(Display* display, ::Window window, Atom property) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kFrameExtentsWaitMilliseconds);
  for (;;) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == PropertyNotify && event.xproperty.window == window && event.xproperty.atom == property)
        return true;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd readable{ConnectionNumber(display), POLLIN, 0};
    if (poll(&readable, 1, int(left.count())) <= 0) return false;
  }
}

}  // namespace

bool PrepareX11Window(SDL_Window* window, const WindowSpec& spec) {
  const std::optional<X11Window> x = FindX11Window(window);
  if (!x) return false;
  SetStaticGravity(*x);
  if (spec.kind == WindowKind::Dialog && !spec.popup) MakeDialog(*x, spec);
  XFlush(x->display);
  return true;
}

bool MoveX11Window(SDL_Window* window, int32_t left, int32_t top) {
  const std::optional<X11Window> x = FindX11Window(window);
  if (!x) return false;
  XMoveWindow(x->display, x->window, left, top);
  XFlush(x->display);
  return true;
}

std::optional<FrameExtents> RequestX11FrameExtents(SDL_Window* window) {
  const std::optional<X11Window> x = FindX11Window(window);
  if (!x) return std::nullopt;
  // A connection of its own: waiting here takes none of SDL's events, and
  // SDL reads the extents itself when it sees the property change.
  const std::unique_ptr<Display, DisplayCloser> own(XOpenDisplay(DisplayString(x->display)));
  if (!own || !SupportsFrameExtentsRequest(own.get())) return std::nullopt;
  const Atom extents = Intern(own.get(), "_NET_FRAME_EXTENTS");
  if (std::optional<FrameExtents> known = ReadFrameExtents(own.get(), x->window, extents)) return known;
  XSelectInput(own.get(), x->window, PropertyChangeMask);
  XEvent request{};
  request.xclient.type = ClientMessage;
  request.xclient.window = x->window;
  request.xclient.message_type = Intern(own.get(), "_NET_REQUEST_FRAME_EXTENTS");
  request.xclient.format = 32;
  XSendEvent(own.get(), DefaultRootWindow(own.get()), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &request);
  XFlush(own.get());
  if (!WaitForPropertyChange(own.get(), x->window, extents)) return std::nullopt;
  return ReadFrameExtents(own.get(), x->window, extents);
}

std::string DescribeX11DisplayFailure(const std::string& displayName) {
  errno = 0;
  if (Display* display = XOpenDisplay(displayName.c_str())) {
    XCloseDisplay(display);
    return "";
  }
  // Xlib keeps the reason of a refused or missing server in errno; a name it cannot read leaves none.
  return errno != 0 ? std::strerror(errno) : "the name names no display that answers";
}

}  // namespace HV::Platform
