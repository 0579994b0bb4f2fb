#pragma once

// IWindowSystem: the desktop as the OS window layer sees it -- windows, their
// events, the mouse capture and cursor, message boxes and the clipboard.
//
// Threads: everything on the user-interface thread, except PostEvent and
// Wake, which any thread may call to put an event in the queue and end the
// UI thread's wait.
// Results: CreateWindow answers 0 when no window can be made; calls naming an
// unknown window do nothing and answer false.
// Ownership: the system owns its windows and their presenters; a presenter
// handed out stays valid while the caller holds its reference.

#include <cstdint>
#include <string>
#include <vector>

#include "HVFramework/Platform/2D/IWindowPresenter.h"
#include "HVFramework/Platform/UI/WindowEvent.h"
#include "HVFramework/Utilities/Geometry/RectT.h"

namespace HV::Platform {

// What the desktop makes of a framed window: a main window has the
// minimise and maximise buttons; a dialog has neither and is shown as a
// dialog of its owner.
enum class WindowKind { Normal, Dialog };

struct WindowSpec {
  std::string title;
  // The client area's place on the screen and its size: the desktop puts the
  // client area there, whatever frame it draws around it.
  RectT<int32_t> rect;
  bool popup = false;   // no frame of the desktop (menus, tips, splash)
  // A window the desktop keeps this one above (a dialog's owner); 0: none.
  WindowId owner = 0;
  bool isResizable = true;  // a framed window's frame can size it
  WindowKind kind = WindowKind::Normal;
  // A dialog its owner takes no input beside while it is open: the desktop
  // keeps it above the owner and gives it the keyboard the owner is asked for.
  bool isModal = false;
};

// The frame the desktop draws around a window's client area (title bar and
// borders), in pixels on each side; all 0 without a window manager.
struct FrameExtents {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

// The client sizes the user may give a framed window with its frame. A
// maximum of 0 is none; a window that is not resizable keeps its size.
struct SizeLimits {
  int32_t minWidth = 1;
  int32_t minHeight = 1;
  int32_t maxWidth = 0;
  int32_t maxHeight = 0;
  bool isResizable = true;
};

enum class CursorKind { Arrow, IBeam, Wait, Cross, Hand, SizeWE, SizeNS, SizeAll, No };

// A cursor of the program's own: straight-alpha 0xAARRGGBB pixels row by
// row, and the point of it that the pointer's position names.
struct CursorImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
  int32_t hotX = 0;
  int32_t hotY = 0;
};
using ImageCursorId = uint32_t;  // 0 names none

// One size of a window's icon: straight-alpha 0xAARRGGBB pixels row by row.
struct WindowIconImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
};
// The largest side of an image cursor or icon.
inline constexpr int32_t kLargestImageSide = 256;

enum class MessageBoxKind { Ok, OkCancel, YesNo, YesNoCancel };
// The button a message box ended with.
enum class MessageBoxAnswer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

class IWindowSystem {
 public:
  virtual ~IWindowSystem() = default;

  virtual WindowId CreateWindow(const WindowSpec& spec) = 0;
  virtual bool DestroyWindow(WindowId window) = 0;
  virtual bool ShowWindow(WindowId window, bool show) = 0;
  virtual bool IsWindowVisible(WindowId window) const = 0;
  virtual bool SetWindowRect(WindowId window, const RectT<int32_t>& rect) = 0;
  virtual bool GetWindowRect(WindowId window, RectT<int32_t>& rect) const = 0;
  // What the frame lets the user do to the client size. The desktop may not
  // keep to it: the window's owner checks every Resize it reports.
  virtual bool SetSizeLimits(WindowId window, const SizeLimits& limits) = 0;
  // The frame around the window's client area, known before the window is
  // first shown where the desktop can say; all 0 for an unknown window.
  virtual FrameExtents GetFrameExtents(WindowId window) const = 0;
  // The part of the main display that windows may take (without panels and
  // docks), in screen coordinates; empty when the desktop does not say.
  virtual RectT<int32_t> GetWorkArea() const = 0;
  // The text of the window's title bar (UTF-8).
  virtual bool SetWindowTitle(WindowId window, const std::string& title) = 0;
  virtual bool GetWindowTitle(WindowId window, std::string& title) const = 0;
  // The icon the desktop shows for the window (its frame, the task bar), in
  // the sizes given for the desktop to choose from. False, changing nothing,
  // for an unknown window, no images, or an image that is empty, larger than
  // 256 x 256 or whose pixels do not fill it exactly.
  virtual bool SetWindowIcon(WindowId window, const std::vector<WindowIconImage>& images) = 0;
  // Brings the window to the front (restored first when it is minimised)
  // and gives it the keyboard, as the desktop does for a dialog's owner when
  // the dialog closes. The window hears of it through a FocusGained event.
  virtual bool ActivateWindow(WindowId window) = 0;
  virtual bool SetCapture(WindowId window) = 0;  // 0 releases it
  virtual WindowId GetCapture() const = 0;
  virtual void SetCursor(CursorKind cursor) = 0;
  // A cursor made from an image, kept until the system goes; 0 when the
  // image is no cursor (empty, larger than 256 x 256, pixels missing, the
  // hot spot outside it) or the desktop cannot make it.
  virtual ImageCursorId CreateImageCursor(const CursorImage& image) = 0;
  // Shows a cursor CreateImageCursor made; false for any other id.
  virtual bool SetImageCursor(ImageCursorId cursor) = 0;
  // What shows the window's frames.
  virtual RCPtr<IWindowPresenter> GetPresenter(WindowId window) = 0;

  // Takes the next event; false when none is queued.
  virtual bool PollEvent(WindowEvent& event) = 0;
  // Sleeps until an event is queued or milliseconds pass (kInfinite: until an
  // event); true when one is queued.
  virtual bool WaitEvent(uint32_t milliseconds) = 0;
  virtual void PostEvent(const WindowEvent& event) = 0;
  void Wake() { PostEvent(WindowEvent{}); }

  // The desktop's own plain box, for what happens before the program can
  // draw its own.
  virtual MessageBoxAnswer ShowMessageBox(WindowId owner, const std::string& title, const std::string& text,
                                          MessageBoxKind kind) = 0;
  // Whether a person answers the program's windows. A desktop without one
  // (the test desktop) answers every message box with ShowMessageBox, from
  // its script, instead of running the program's box in a window.
  virtual bool HasUser() const { return true; }

  virtual void SetClipboardText(const std::string& text) = 0;
  virtual std::string GetClipboardText() = 0;
  // Counts every change of the clipboard, the program's own writes included.
  virtual uint32_t GetClipboardChangeCount() = 0;
};

}  // namespace HV::Platform
