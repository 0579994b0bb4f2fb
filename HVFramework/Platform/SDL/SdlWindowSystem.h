#pragma once

// SdlWindowSystem: the window system of the desktop, through SDL2. Windows
// (framed ones resizable within their size limits unless made fixed, kept
// above their owner; popups without frame or taskbar entry), their
// events, capture, system and image cursors, message boxes and the text clipboard.
//
// Threads: SDL is used on the user-interface thread only -- the thread that
// opened the system. PostEvent and Wake may come from any thread: they queue
// the event and push an SDL user event, which ends the UI thread's wait.
// The wait is SDL_WaitEventTimeout: the thread sleeps until the desktop or
// another thread has something for it.
//
// Frames: windows of a system opened for OpenGL are GL windows (no
// presenter; a GL context draws on them, see SdlGLWindows.h); the others
// present through their window surface.
//
// Clipboard: the change counter moves on with every write of the program and
// with every change of the clipboard's text by another program, seen when
// the counter is asked for. Text another X client owns is read by an
// X11ClipboardReader, which takes large texts whole (SDL gets nothing when
// the owner sends the text in pieces, and leaves such an owner waiting).

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "HVFramework/Platform/2D/PlatformWindow.h"
#include "HVFramework/Platform/Graphics/PngCodec.h"
#include "HVFramework/Platform/SDL/SdlSurfacePresenter.h"
#include "HVFramework/Platform/SDL/X11ClipboardReader.h"
#include "HVFramework/Platform/UI/WindowSystemBase.h"
#include "HVFramework/Utilities/Geometry/PointT.h"

struct SDL_Window;
struct SDL_Cursor;

namespace HV::Platform {

class SdlWindowSystem final : public WindowSystemBase {
 public:
  struct Options {
    bool isOpenGL = false;
  };

  // Null, with error set to the reason, when SDL's video cannot start or
  // finds no desktop: without DISPLAY and WAYLAND_DISPLAY, or with only a
  // driver that shows nothing (unless SDL_VIDEODRIVER asks for one), the
  // reason is "no display found: set DISPLAY or WAYLAND_DISPLAY, or run
  // under xvfb-run -a"; with a DISPLAY that cannot be opened it is
  // "the display "NAME" could not be opened: " and the system's reason.
  static std::unique_ptr<SdlWindowSystem> Open(const Options& options, std::string& error);
  ~SdlWindowSystem() override;
  SdlWindowSystem(const SdlWindowSystem&) = delete;
  SdlWindowSystem& operator=(const SdlWindowSystem&) = delete;

  // Where the desktop has the window now (the user may have moved or sized it).
  bool GetWindowRect(WindowId window, RectT<int32_t>& rect) const override;
  // The usable bounds of the first display.
  RectT<int32_t> GetWorkArea() const override;
  // What the window manager reports, else what it answered before the
  // window was first shown.
  FrameExtents GetFrameExtents(WindowId window) const override;

  MessageBoxAnswer ShowMessageBox(WindowId owner, const std::string& title, const std::string& text,
                                  MessageBoxKind kind) override;
  void SetClipboardText(const std::string& text) override;
  std::string GetClipboardText() override;
  uint32_t GetClipboardChangeCount() override;

  bool IsOpenGL() const { return mOptions.isOpenGL; }
  // The window as renderers name it; null for an unknown window.
  PlatformWindow* GetPlatformWindow(WindowId window);
  // The SDL window behind a platform window of this system; null for others.
  SDL_Window* FindSdlWindow(const PlatformWindow* window) const;
  // What a surface window shows now, opaque; false for GL windows and unknown ones.
  bool CaptureWindow(WindowId window, BgraImage& out) const;
  // The X window behind a window, for tools that act on the desktop (xdotool);
  // 0 for an unknown window or a desktop other than X.
  uint64_t GetX11Window(WindowId window) const;
  // The window the desktop itself records as this one's owner (on X: its
  // WM_TRANSIENT_FOR property); 0 for none, an unknown window or another desktop.
  WindowId QueryDesktopOwner(WindowId window) const;

 private:
  struct NativeWindow {
    SDL_Window* window = nullptr;
    std::unique_ptr<PlatformWindow> platform;  // stays put while the window lives
    RCPtr<SdlSurfacePresenter> presenter;
    FrameExtents frame;  // as the window manager answered before the window was shown
    // Where the window was last moved, until SDL reports a move of its own
    // (SDL learns of moves made past it only from the desktop's next events).
    std::optional<PointT<int32_t>> movedTo;
  };

  SdlWindowSystem(const Options& options, uint32_t wakeEventType);

  bool NativeCreate(WindowId window, WindowRecord& record) override;
  void NativeDestroy(WindowId window) override;
  void NativeShow(WindowId window, bool show) override;
  void NativeSetRect(WindowId window, const RectT<int32_t>& rect) override;
  void NativeSetTitle(WindowId window, const std::string& title) override;
  void NativeSetSizeLimits(WindowId window, const SizeLimits& limits) override;
  // SDL takes one image: the largest, which scales down best. On X the
  // desktop gets every size besides.
  bool NativeSetIcon(WindowId window, const std::vector<WindowIconImage>& images) override;
  void NativeActivate(WindowId window) override;
  void NativeSetCapture(WindowId window) override;
  void NativeSetCursor(CursorKind cursor) override;
  bool NativeCreateImageCursor(ImageCursorId cursor, const CursorImage& image) override;
  void NativeSetImageCursor(ImageCursorId cursor) override;
  bool NativePollEvent(WindowEvent& event) override;
  void NativeWait(uint32_t milliseconds) override;
  void NativeWake() override;

  // On X: moves the window's client area to position past SDL, which
  // learns of it from the desktop's next events; false on other desktops.
  // SDL itself moves a window whose size or size hints it changes to where
  // it last saw it, less the frame: after each such call the window is put
  // back with this.
  bool PlaceX11Client(WindowId window, const PointT<int32_t>& position);
  // The next SDL event the window layer passes on, dropping the others.
  bool PollTranslated(WindowEvent& event);
  SDL_Window* FindNative(WindowId window) const;
  WindowId FindBySdlId(uint32_t sdlId) const;
  // The reader, opened at first use on X; null on other window systems.
  X11ClipboardReader* GetX11Clipboard();

  Options mOptions;
  uint32_t mWakeEventType;
  std::map<WindowId, NativeWindow> mNative;
  std::array<SDL_Cursor*, 9> mCursors{};
  std::map<ImageCursorId, SDL_Cursor*> mImageCursors;
  WindowEvent mBuffered;  // taken from SDL while waiting, handed out by the next poll
  bool mHasBuffered = false;
  bool mIsPumped = false;  // SDL's queue holds what the desktop sent up to now
  uint32_t mClipboardChanges = 0;
  std::string mClipboardSeen;  // the text the counter last accounted for
  std::unique_ptr<X11ClipboardReader> mX11Clipboard;
  bool mIsX11ClipboardTried = false;
};

}  // namespace HV::Platform
