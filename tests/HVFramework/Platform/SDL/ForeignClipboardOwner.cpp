#include "tests/HVFramework/Platform/SDL/ForeignClipboardOwner.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>

namespace HV::Platform {
namespace {

using Clock = std::chrono::steady_clock;

Display* AsDisplay(void* display) { return static_cast<Display*>(display); }

// The next event on the connection; false after kIdleTimeout without one.
bool NextEvent(Display* d, XEvent& event) {
  const Clock::time_point deadline = Clock::now() + ForeignClipboardOwner::kIdleTimeout;
  while (!XPending(d)) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    pollfd descriptor{ConnectionNumber(d), POLLIN, 0};
    poll(&descriptor, 1, int(left.count()));
  }
  XNextEvent(d, &event);
  return true;
}

void Notify(Display* d, const XSelectionRequestEvent& request, Atom property) {
  XEvent answer{};
  answer.xselection.type = SelectionNotify;
  answer.xselection.requestor = request.requestor;
  answer.xselection.selection = request.selection;
  answer.xselection.target = request.target;
  answer.xselection.property = property;
  answer.xselection.time = request.time;
  XSendEvent(d, request.requestor, False, 0, &answer);
  XFlush(d);
}

}  // namespace

ForeignClipboardOwner::ForeignClipboardOwner(std::string text) : mText(std::move(text)) {
  Display* d = XOpenDisplay(nullptr);
  if (!d) return;
  mDisplay = d;
  mWindow = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(d, XInternAtom(d, "CLIPBOARD", False), mWindow, CurrentTime);
  XSync(d, False);
  mIsOwning = XGetSelectionOwner(d, XInternAtom(d, "CLIPBOARD", False)) == mWindow;
  mThread = std::thread([this] { Serve(); });
}

ForeignClipboardOwner::~ForeignClipboardOwner() {
  if (mThread.joinable()) mThread.join();
  if (mDisplay) XCloseDisplay(AsDisplay(mDisplay));
}

bool ForeignClipboardOwner::WaitUntilTaken() {
  if (mThread.joinable()) mThread.join();
  return mIsTaken;
}

void ForeignClipboardOwner::Serve() {
  Display* d = AsDisplay(mDisplay);
  const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
  const Atom incremental = XInternAtom(d, "INCR", False);
  XEvent event;
  // One incremental transfer at a time: the requestor's window and property, and what was sent.
  Window requestor = None;
  Atom property = None;
  size_t sent = 0;
  bool isEndSent = false;
  while (!mIsTaken && NextEvent(d, event)) {
    if (event.type == SelectionRequest) {
      const XSelectionRequestEvent& request = event.xselectionrequest;
      if (request.target != utf8 || request.property == None || requestor != None) {
        Notify(d, request, None);
        continue;
      }
      if (mText.size() <= kPieceBytes) {
        XChangeProperty(d, request.requestor, request.property, utf8, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(mText.data()), int(mText.size()));
        Notify(d, request, request.property);
        mIsTaken = true;
        continue;
      }
      requestor = request.requestor;
      property = request.property;
      sent = 0;
      isEndSent = false;
      XSelectInput(d, requestor, PropertyChangeMask);
      const long size = long(mText.size());
      XChangeProperty(d, requestor, property, incremental, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(&size), 1);
      Notify(d, request, property);
    } else if (event.type == PropertyNotify && event.xproperty.window == requestor &&
               event.xproperty.atom == property && event.xproperty.state == PropertyDelete) {
      if (isEndSent) {
        mIsTaken = true;
        break;
      }
      // The reader took the last piece: the next one, or the empty end.
      const size_t count = std::min(kPieceBytes, mText.size() - sent);
      XChangeProperty(d, requestor, property, utf8, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(mText.data() + sent), int(count));
      XFlush(d);
      sent += count;
      isEndSent = count == 0;
    }
  }
  XSync(d, False);
}

}  // namespace HV::Platform
