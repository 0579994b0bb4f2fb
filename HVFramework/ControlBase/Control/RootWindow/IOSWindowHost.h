#pragma once

#include "HVFramework/Utilities/Geometry/PointT.h"
#include "HVFramework/Utilities/Geometry/RectT.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

// A cursor of the window system; 0 stands for the default arrow.
using CursorHandle = uint64_t;

// IOSWindowHost: what a root window asks of the operating-system window that
// shows it. The OS window implements it and outlives its root window's use
// of it (it calls LRootWindow::ForgetHost before it goes). Called on the
// user-interface thread only. Points are in client coordinates.
class IOSWindowHost {
 public:
  virtual ~IOSWindowHost() = default;

  // The client area in screen coordinates.
  virtual RectT<int32_t> GetClientRect() const = 0;
  virtual void SetClientRect(const RectT<int32_t>& rect) = 0;
  virtual void SetCaption(const StringW& caption) = 0;
  virtual PointT<int32_t> ScreenToClient(const PointT<int32_t>& point) const = 0;
  virtual PointT<int32_t> ClientToScreen(const PointT<int32_t>& point) const = 0;
  // Shows or hides the window; whether it was visible before.
  virtual bool Show(bool shouldShow) = 0;

  // The window receives input only while it is the active window.
  virtual bool IsActive() const = 0;
  virtual bool HasKeyboardFocus() const = 0;
  virtual void TakeKeyboardFocus() = 0;

  // The buttons held now (1 left, 2 middle, 4 right) and the pointer.
  virtual uint32_t GetMouseButtons() const = 0;
  virtual PointT<int32_t> GetMousePosition() const = 0;
  // While captured, the window gets the mouse events outside its area too.
  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouse() = 0;

  // Shows a cursor; the one shown before.
  virtual CursorHandle SetCursor(CursorHandle cursor) = 0;
  // A cursor the application registered by name ("UI_CURSOR_ARROW"); 0 when
  // there is none.
  virtual CursorHandle GetCursorByName(const StringW& name) const = 0;

  // Asks for a paint of a client rectangle.
  virtual void InvalidateRect(const RectT<int32_t>& rect) = 0;
  // Paints the whole client area and presents it now, not at the message
  // loop's next paint: a caller about to block still shows its last change.
  // A host that cannot paint on demand leaves it to its next paint.
  virtual void RedrawNow() {}

  // The modifier keys held as the window's last input reported them:
  // Ctrl 0x01, Shift 0x08, Alt 0x40.
  virtual uint32_t GetModifiers() const { return 0; }

  // A modal loop runs on this window; EndModal ends it with a result.
  // RunModal shows the window and runs the loop until then: the result, or
  // -1 when the program quits meanwhile.
  virtual bool IsModal() const = 0;
  virtual int32_t RunModal() = 0;
  virtual void EndModal(int32_t result) = 0;

  // The text box's request for text input (the input method's state).
  virtual void SetTextInputState(bool enabled, int32_t value) = 0;

  // The root window has a new root control: the window takes its size
  // limits. Nothing by default.
  virtual void OnRootControlChanged() {}
};

}  // namespace HV
