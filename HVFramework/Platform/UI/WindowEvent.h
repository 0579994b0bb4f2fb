#pragma once

// What the window system reports to the message loop. Positions are in the
// client area of the window, in pixels.

#include <cstdint>
#include <string>

namespace HV::Platform {

using WindowId = uint32_t;  // 0 names no window

enum class WindowEventKind {
  MouseMove,
  MouseDown,
  MouseUp,
  Wheel,    // delta: 120 per notch, positive away from the user
  KeyDown,  // key: the system's key code; repeat set for auto-repeat
  KeyUp,
  TextInput,  // text: UTF-8
  FocusGained,
  FocusLost,
  Close,   // the desktop asks the window to close
  Expose,  // part of the window must be painted again
  Resize,  // width and height: the new client size
  Wake,    // another thread woke the loop
  Quit     // code: the exit code
};

struct WindowEvent {
  WindowEventKind kind = WindowEventKind::Wake;
  WindowId window = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t button = 0;  // 1 left, 2 middle, 4 right; MouseMove: the buttons held, as a mask
  int32_t clicks = 0;  // MouseDown: 1, or 2 for the press that makes a double click
  int32_t delta = 0;
  bool horizontal = false;  // Wheel: the sideways wheel, positive to the right
  int32_t key = 0;
  uint32_t modifiers = 0;
  bool repeat = false;
  int32_t width = 0;
  int32_t height = 0;
  int32_t code = 0;
  std::string text;
};

// True for the events a window blocked by a modal loop must not receive.
inline bool IsInputEvent(WindowEventKind kind) {
  switch (kind) {
    case WindowEventKind::MouseMove:
    case WindowEventKind::MouseDown:
    case WindowEventKind::MouseUp:
    case WindowEventKind::Wheel:
    case WindowEventKind::KeyDown:
    case WindowEventKind::KeyUp:
    case WindowEventKind::TextInput:
    case WindowEventKind::Close:
      return true;
    default:
      return false;
  }
}

}  // namespace HV::Platform
