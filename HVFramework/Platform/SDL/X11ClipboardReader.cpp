#include "HVFramework/Platform/SDL/X11ClipboardReader.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <functional>

// Last, as it defines min and max: the connection's mask of identifier bits.
#include <X11/Xlibint.h>
#undef min
#undef max

namespace HV::Platform {

struct X11ClipboardReader::Connection {
  Display* display = nullptr;
  Window window = None;  // unmapped; the owner writes the text into its property
  Atom clipboard = None;
  Atom utf8 = None;
  Atom incremental = None;
  Atom property = None;

  ~Connection() {
    if (!display) return;
    if (window != None) XDestroyWindow(display, window);
    XCloseDisplay(display);
  }
};

namespace {

using Clock = std::chrono::steady_clock;

// Waits on the connection for the next event that matches; false when none
// came within the reader's time-out.
bool WaitFor(Display* display, XEvent& event, const std::function<bool(const XEvent&)>& matches) {
  const Clock::time_point deadline = Clock::now() + X11ClipboardReader::kPieceTimeout;
  for (;;) {
    while (XPending(display)) {
      XNextEvent(display, &event);
      if (matches(event)) return true;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    pollfd descriptor{ConnectionNumber(display), POLLIN, 0};
    poll(&descriptor, 1, int(left.count()));
  }
}

struct Property {
  Atom type = None;
  std::string bytes;
  bool isTooLarge = false;
};

// Takes the property off the window (reading deletes it, which also tells an
// incremental owner to send the next piece).
Property TakeProperty(const X11ClipboardReader::Connection& c) {
  Property result;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const long maxLongs = long(X11ClipboardReader::kMaxBytes / 4);
  if (XGetWindowProperty(c.display, c.window, c.property, 0, maxLongs, True, AnyPropertyType, &type, &format, &count,
                         &after, &data) != Success)
    return result;
  result.type = type;
  result.isTooLarge = after > 0;
  if (data && format == 8) result.bytes.assign(reinterpret_cast<const char*>(data), count);
  if (data) XFree(data);
  return result;
}

std::string Latin1ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char byte : text) {
    if (byte < 0x80) {
      out += char(byte);
    } else {
      out += char(0xC0 | byte >> 6);
      out += char(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

enum class Conversion { Done, Refused, Failed };

// Asks the owner for the clipboard as `target` and collects the answer,
// piece by piece when the owner sends it incrementally.
Conversion Convert(const X11ClipboardReader::Connection& c, Atom target, std::string& text) {
  XDeleteProperty(c.display, c.window, c.property);
  XConvertSelection(c.display, c.clipboard, target, c.property, c.window, CurrentTime);
  XEvent event;
  const bool isAnswered = WaitFor(c.display, event, [&](const XEvent& e) {
    return e.type == SelectionNotify && e.xselection.requestor == c.window && e.xselection.selection == c.clipboard;
  });
  if (!isAnswered) return Conversion::Failed;
  if (event.xselection.property == None) return Conversion::Refused;
  Property first = TakeProperty(c);
  if (first.isTooLarge) return Conversion::Failed;
  if (first.type != c.incremental) {
    text = std::move(first.bytes);
    return Conversion::Done;
  }
  text.clear();
  for (;;) {
    const bool hasPiece = WaitFor(c.display, event, [&](const XEvent& e) {
      return e.type == PropertyNotify && e.xproperty.window == c.window && e.xproperty.atom == c.property &&
             e.xproperty.state == PropertyNewValue;
    });
    if (!hasPiece) return Conversion::Failed;
    Property piece = TakeProperty(c);
    if (piece.isTooLarge || text.size() + piece.bytes.size() > X11ClipboardReader::kMaxBytes)
      return Conversion::Failed;
    if (piece.bytes.empty()) return Conversion::Done;  // the empty piece ends the transfer
    text += piece.bytes;
  }
}

}  // namespace

std::unique_ptr<X11ClipboardReader> X11ClipboardReader::Open() {
  auto c = std::make_unique<Connection>();
  c->display = XOpenDisplay(nullptr);
  if (!c->display) return nullptr;
  Display* d = c->display;
  XSetWindowAttributes attributes{};
  attributes.event_mask = PropertyChangeMask;
  c->window = XCreateWindow(d, DefaultRootWindow(d), -10, -10, 1, 1, 0, CopyFromParent, InputOnly, CopyFromParent,
                            CWEventMask, &attributes);
  c->clipboard = XInternAtom(d, "CLIPBOARD", False);
  c->utf8 = XInternAtom(d, "UTF8_STRING", False);
  c->incremental = XInternAtom(d, "INCR", False);
  c->property = XInternAtom(d, "HV_CLIPBOARD_TEXT", False);
  return std::unique_ptr<X11ClipboardReader>(new X11ClipboardReader(std::move(c)));
}

X11ClipboardReader::X11ClipboardReader(std::unique_ptr<Connection> connection) : mConnection(std::move(connection)) {}

X11ClipboardReader::~X11ClipboardReader() = default;

X11ClipboardReader::Owner X11ClipboardReader::FindOwner(SDL_Window* ourWindow) const {
  Display* d = mConnection->display;
  const Window owner = XGetSelectionOwner(d, mConnection->clipboard);
  if (owner == None) return Owner::Nobody;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  // Without a window of ours on X, SDL is left to answer as before.
  if (!ourWindow || !SDL_GetWindowWMInfo(ourWindow, &info) || info.subsystem != SDL_SYSWM_X11)
    return Owner::SameClient;
  // The server gives every client the same mask of identifier bits it may
  // choose; the bits above the mask name the client.
  const XID clientBits = ~reinterpret_cast<const _XDisplay*>(d)->resource_mask;
  return (owner & clientBits) == (info.info.x11.window & clientBits) ? Owner::SameClient : Owner::OtherClient;
}

std::optional<std::string> X11ClipboardReader::ReadText() {
  std::string text;
  switch (Convert(*mConnection, mConnection->utf8, text)) {
    case Conversion::Done:
      return text;
    case Conversion::Failed:
      return std::nullopt;
    case Conversion::Refused:
      break;
  }
  // An owner that has no UTF-8 form may still have Latin-1 text.
  switch (Convert(*mConnection, XA_STRING, text)) {
    case Conversion::Done:
      return Latin1ToUtf8(text);
    case Conversion::Failed:
      return std::nullopt;
    case Conversion::Refused:
      break;
  }
  return std::string();
}

}  // namespace HV::Platform
