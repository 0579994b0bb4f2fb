#pragma once

// ISplashPainter: the splash screen's window as its own thread sees it. The
// splash thread cannot use the user-interface thread's window system (SDL
// belongs to the UI thread), so a painter keeps its own link to the desktop.
//
// Threads: Wake from any thread; everything else from the splash thread only,
// in the order Connect, GetWorkArea, Open, then ShowProgress and Wait, and
// Close last (Close also follows a failed Open).
// Ownership: the splash image's pixels are lent until Close.

#include <cstdint>
#include <string>

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Geometry/RectT.h"

namespace HV::Platform {

struct SplashWindowSpec {
  std::string title;    // window text; empty: a tool window without a taskbar entry
  RectT<int32_t> rect;  // screen position; the size is the image's
  // Straight (not premultiplied) 32-bit ARGB, bytes blue, green, red, alpha,
  // rows width * 4 bytes apart.
  const uint8_t* pixels = nullptr;
};

class ISplashPainter : public virtual LRefCountedObject {
 public:
  // Opens the painter's own link to the desktop; false when there is none.
  virtual bool Connect() = 0;
  // The part of the screen that panels and docks leave free.
  virtual RectT<int32_t> GetWorkArea() = 0;
  // Shows the window with the image, without taking the focus; false when it
  // cannot be made.
  virtual bool Open(const SplashWindowSpec& spec) = 0;
  // Shows the progress bar (made on the first call) in bar (window
  // coordinates) at position 0..100.
  virtual void ShowProgress(const RectT<int32_t>& bar, int32_t position) = 0;
  // Sleeps until Wake is called or the time-out (milliseconds, kInfinite
  // for none) passes, redrawing what the desktop asks for meanwhile. A Wake
  // nobody waited for ends the next Wait at once.
  virtual void Wait(uint32_t milliseconds) = 0;
  virtual void Wake() = 0;
  // Destroys the window and drops the link to the desktop.
  virtual void Close() = 0;
};

}  // namespace HV::Platform
