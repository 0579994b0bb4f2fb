#pragma once

#include "HVFramework/Platform/IWindowPresenter.h"
#include "HVFramework/Platform/PlatformWindow.h"
#include "HVFramework/Platform/PngCodec.h"

#include <cstdint>
#include <memory>
#include <string>

namespace HV::Platform {

// SdlWindow: a plain window of the desktop with a presenter that copies
// finished frames into the window's surface, only the given rectangles, and
// shows just those. A minimal window: it closes, and it lets its owner wait
// for the close request; the full window layer comes later. Made, used and
// destroyed on the user-interface thread; one at a time.
class SdlWindow {
 public:
  // Null (and error set to the reason) when no window can be opened.
  static std::unique_ptr<SdlWindow> Open(const std::string& title, int32_t width, int32_t height,
                                         std::string& error);
  ~SdlWindow();
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  // The window as render contexts name it.
  PlatformWindow* GetPlatformWindow() { return &mWindow; }
  // Handles pending window events, waiting up to timeoutMs for the first;
  // false once the window was asked to close.
  bool ProcessEvents(int32_t timeoutMs);
  // True once after the desktop uncovered or resized the window: all of it
  // must be painted and presented again.
  bool TakeWholeRepaint();
  // What the window shows now, opaque; false when it cannot be read.
  bool Capture(BgraImage& out);

 private:
  struct Native;
  explicit SdlWindow(std::unique_ptr<Native> native);

  std::unique_ptr<Native> mNative;
  PlatformWindow mWindow;
  bool mNeedsWholeRepaint = false;
};

}  // namespace HV::Platform
