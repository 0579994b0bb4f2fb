#include "HVFramework/Platform/Splash/X11SplashPainter.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include "HVFramework/Platform/Core/WaitCodes.h"

namespace HV::Platform {
namespace {

// Xlib's default error handler ends the program, and the handler is the
// whole process's (SDL's too), so sizes the server might refuse are refused here.
constexpr int32_t kLargestSide = 8192;

// How long Open waits for the first expose, so the picture is up when it returns.
constexpr int kFirstExposeMilliseconds = 1000;

struct Rgb {
  uint32_t r, g, b;
};

constexpr Rgb kBackground{255, 255, 255};
constexpr Rgb kBarFrame{128, 128, 128};
constexpr Rgb kBarTrack{230, 230, 230};
constexpr Rgb kBarFill{38, 120, 200};

// A channel value 0..255 placed under a TrueColor mask.
unsigned long Channel(uint32_t value, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (!((mask >> shift) & 1)) ++shift;
  const unsigned long top = mask >> shift;
  return ((value * top + 127) / 255) << shift;
}

unsigned long PixelOf(const Visual* visual, Rgb rgb) {
  return Channel(rgb.r, visual->red_mask) | Channel(rgb.g, visual->green_mask) | Channel(rgb.b, visual->blue_mask);
}

// Straight alpha over the background.
uint32_t Over(uint32_t value, uint32_t alpha, uint32_t background) {
  return (value * alpha + background * (255 - alpha) + 127) / 255;
}

int RemainingMilliseconds(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  return static_cast<int>(std::max<int64_t>(left.count(), 0));
}

}  // namespace

struct X11SplashPainter::Native {
  Display* display = nullptr;
  Window window = 0;
  Pixmap picture = 0;
  GC gc = nullptr;
  int32_t width = 0;
  int32_t height = 0;
  bool barShown = false;
  RectT<int32_t> bar;
  int32_t position = 0;

  Visual* GetVisual() const { return DefaultVisual(display, DefaultScreen(display)); }

  void Paint() {
    if (!window) return;
    XCopyArea(display, picture, window, gc, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), 0, 0);
    PaintBar();
  }

  void PaintBar() {
    if (!window || !barShown || bar.width < 3 || bar.height < 3) return;
    const Visual* visual = GetVisual();
    const auto fill = [&](Rgb rgb, int32_t x, int32_t y, int32_t w, int32_t h) {
      if (w <= 0 || h <= 0) return;
      XSetForeground(display, gc, PixelOf(visual, rgb));
      XFillRectangle(display, window, gc, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h));
    };
    fill(kBarFrame, bar.x, bar.y, bar.width, bar.height);
    fill(kBarTrack, bar.x + 1, bar.y + 1, bar.width - 2, bar.height - 2);
    fill(kBarFill, bar.x + 1, bar.y + 1, (bar.width - 2) * position / 100, bar.height - 2);
  }

  // Handles what the server sent; true when the window was exposed.
  bool DispatchEvents() {
    bool exposed = false;
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == Expose && event.xexpose.count == 0) exposed = true;
    }
    if (exposed) Paint();
    XFlush(display);
    return exposed;
  }

  bool MakePicture(const uint8_t* pixels) {
    const int screen = DefaultScreen(display);
    Visual* visual = GetVisual();
    const int depth = DefaultDepth(display, screen);
    if (visual->c_class != TrueColor) return false;
    XImage* image = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0, nullptr,
                                 static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    if (!image) return false;
    image->data = static_cast<char*>(std::calloc(static_cast<size_t>(image->bytes_per_line), height));
    if (!image->data) {
      XDestroyImage(image);
      return false;
    }
    for (int32_t y = 0; y < height; ++y) {
      const uint8_t* row = pixels + static_cast<size_t>(y) * width * 4;
      for (int32_t x = 0; x < width; ++x) {
        const uint8_t* p = row + x * 4;  // blue, green, red, alpha
        const Rgb rgb{Over(p[2], p[3], kBackground.r), Over(p[1], p[3], kBackground.g),
                      Over(p[0], p[3], kBackground.b)};
        XPutPixel(image, x, y, PixelOf(visual, rgb));
      }
    }
    picture = XCreatePixmap(display, RootWindow(display, screen), static_cast<unsigned>(width),
                            static_cast<unsigned>(height), static_cast<unsigned>(depth));
    gc = XCreateGC(display, picture, 0, nullptr);
    XPutImage(display, picture, gc, image, 0, 0, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XDestroyImage(image);  // frees the pixel block too
    return true;
  }

  void NameWindow(const std::string& title) {
    XStoreName(display, window, title.c_str());
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
    const Atom splash = XInternAtom(display, "_NET_WM_WINDOW_TYPE_SPLASH", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&splash), 1);
  }

  void PlaceAndSize(const RectT<int32_t>& rect) {
    XSizeHints* hints = XAllocSizeHints();
    if (!hints) return;
    hints->flags = USPosition | PPosition | PMinSize | PMaxSize;
    hints->x = rect.x;
    hints->y = rect.y;
    hints->min_width = hints->max_width = rect.width;
    hints->min_height = hints->max_height = rect.height;
    XSetWMNormalHints(display, window, hints);
    XFree(hints);
    XWMHints* wm = XAllocWMHints();
    if (!wm) return;
    wm->flags = InputHint;
    wm->input = False;  // shown without taking the focus
    XSetWMHints(display, window, wm);
    XFree(wm);
  }

  // Waits a short while for the first expose and draws it.
  void DrawWhenExposed() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kFirstExposeMilliseconds);
    XFlush(display);
    while (!DispatchEvents()) {
      pollfd connection{ConnectionNumber(display), POLLIN, 0};
      const int left = RemainingMilliseconds(deadline);
      if (left == 0 || (poll(&connection, 1, left) < 0 && errno != EINTR)) return;
    }
  }
};

RCPtr<X11SplashPainter> X11SplashPainter::Create() { return RCPtr<X11SplashPainter>(new X11SplashPainter()); }

X11SplashPainter::X11SplashPainter()
    : mNative(std::make_unique<Native>()), mWakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

X11SplashPainter::~X11SplashPainter() {
  Close();
  if (mWakeFd >= 0) close(mWakeFd);
}

bool X11SplashPainter::Connect() {
  if (!mNative->display) mNative->display = XOpenDisplay(nullptr);
  return mNative->display != nullptr;
}

RectT<int32_t> X11SplashPainter::GetWorkArea() {
  Display* display = mNative->display;
  if (!display) return {};
  const int screen = DefaultScreen(display);
  RectT<int32_t> area{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
  const Atom property = XInternAtom(display, "_NET_WORKAREA", True);
  if (property == None) return area;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, RootWindow(display, screen), property, 0, 4, False, XA_CARDINAL, &type, &format,
                         &count, &after, &data) == Success &&
      type == XA_CARDINAL && format == 32 && count >= 4) {
    const long* values = reinterpret_cast<const long*>(data);  // format 32 comes as longs
    area = {static_cast<int32_t>(values[0]), static_cast<int32_t>(values[1]), static_cast<int32_t>(values[2]),
            static_cast<int32_t>(values[3])};
  }
  if (data) XFree(data);
  return area;
}

bool X11SplashPainter::Open(const SplashWindowSpec& spec) {
  Native& native = *mNative;
  const bool sizeFits = spec.rect.width > 0 && spec.rect.height > 0 && spec.rect.width <= kLargestSide &&
                        spec.rect.height <= kLargestSide;
  if (!native.display || native.window || !sizeFits || !spec.pixels) return false;
  native.width = spec.rect.width;
  native.height = spec.rect.height;
  if (!native.MakePicture(spec.pixels)) return false;

  Display* display = native.display;
  const int screen = DefaultScreen(display);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = spec.title.empty() ? True : False;
  attributes.background_pixmap = None;  // the picture covers it all
  attributes.event_mask = ExposureMask;
  native.window = XCreateWindow(display, RootWindow(display, screen), spec.rect.x, spec.rect.y,
                                static_cast<unsigned>(spec.rect.width), static_cast<unsigned>(spec.rect.height), 0,
                                CopyFromParent, InputOutput, CopyFromParent,
                                CWOverrideRedirect | CWBackPixmap | CWEventMask, &attributes);
  if (!native.window) return false;
  if (!spec.title.empty()) native.NameWindow(spec.title);
  native.PlaceAndSize(spec.rect);
  XMapRaised(display, native.window);
  native.DrawWhenExposed();
  return true;
}

void X11SplashPainter::ShowProgress(const RectT<int32_t>& bar, int32_t position) {
  Native& native = *mNative;
  native.barShown = true;
  native.bar = bar;
  native.position = std::clamp(position, 0, 100);
  if (!native.window) return;
  native.PaintBar();
  XFlush(native.display);
}

void X11SplashPainter::Wait(uint32_t milliseconds) {
  Display* display = mNative->display;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (;;) {
    if (display) mNative->DispatchEvents();
    pollfd watched[2] = {{mWakeFd, POLLIN, 0}, {display ? ConnectionNumber(display) : -1, POLLIN, 0}};
    const int timeout = milliseconds == kInfinite ? -1 : RemainingMilliseconds(deadline);
    const int ready = poll(watched, 2, timeout);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return;  // the time-out, or a failed poll
    if (watched[0].revents & POLLIN) {
      uint64_t wakes = 0;
      [[maybe_unused]] const ssize_t taken = read(mWakeFd, &wakes, sizeof wakes);
      if (display) mNative->DispatchEvents();
      return;
    }
    // A connection the server closed stays readable for ever: stop watching it.
    if (watched[1].revents & (POLLERR | POLLHUP | POLLNVAL)) display = nullptr;
  }
}

void X11SplashPainter::Wake() {
  if (mWakeFd < 0) return;
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(mWakeFd, &one, sizeof one);
}

void X11SplashPainter::Close() {
  Native& native = *mNative;
  if (!native.display) return;
  if (native.window) XDestroyWindow(native.display, native.window);
  if (native.gc) XFreeGC(native.display, native.gc);
  if (native.picture) XFreePixmap(native.display, native.picture);
  XCloseDisplay(native.display);
  native = Native{};
}

}  // namespace HV::Platform
