#pragma once

// X11SplashPainter: the splash window on the X desktop, through a connection
// of its own (Xlib), so the splash thread draws without the user-interface
// thread's SDL. A window without a title is override-redirect: no frame, no
// taskbar entry, never focused; one with a title is a splash-type window the
// window manager lists under that title. The image is composed onto a white
// background once, kept in a pixmap and copied on every expose.
//
// Waits are poll() on the X connection and an eventfd that Wake writes, with
// time-outs in real milliseconds. Xlib (1.8 and later) is thread-safe by
// itself, so this connection may live beside the UI thread's.

#include <memory>

#include "HVFramework/Platform/Splash/ISplashPainter.h"

namespace HV::Platform {

class X11SplashPainter final : public ISplashPainter {
 public:
  static RCPtr<X11SplashPainter> Create();

  bool Connect() override;
  RectT<int32_t> GetWorkArea() override;
  bool Open(const SplashWindowSpec& spec) override;
  void ShowProgress(const RectT<int32_t>& bar, int32_t position) override;
  void Wait(uint32_t milliseconds) override;
  void Wake() override;
  void Close() override;

 private:
  struct Native;

  X11SplashPainter();
  ~X11SplashPainter() override;

  std::unique_ptr<Native> mNative;  // the splash thread's
  int mWakeFd = -1;                 // written by Wake from any thread
};

}  // namespace HV::Platform
