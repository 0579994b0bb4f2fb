#pragma once

// WindowSystemBase: the bookkeeping every window system shares -- the window
// table, capture, cursor and the queue of events posted from any thread. A
// backend fills in the hooks for what the desktop does.

#include <deque>
#include <map>
#include <mutex>

#include "HVFramework/Platform/UI/IWindowSystem.h"

namespace HV::Platform {

class WindowSystemBase : public IWindowSystem {
 public:
  WindowId CreateWindow(const WindowSpec& spec) override;
  bool DestroyWindow(WindowId window) override;
  bool ShowWindow(WindowId window, bool show) override;
  bool IsWindowVisible(WindowId window) const override;
  bool SetWindowRect(WindowId window, const RectT<int32_t>& rect) override;
  bool GetWindowRect(WindowId window, RectT<int32_t>& rect) const override;
  bool SetSizeLimits(WindowId window, const SizeLimits& limits) override;
  // What SetSizeLimits last set (before any call: the resizability the window was made with).
  bool GetSizeLimits(WindowId window, SizeLimits& limits) const;
  // The window the desktop keeps this one above; 0 for none or an unknown window.
  WindowId GetOwner(WindowId window) const;
  // What the window was made as (its title and rectangle as set since); false for an unknown window.
  bool GetWindowSpec(WindowId window, WindowSpec& spec) const;
  bool SetWindowTitle(WindowId window, const std::string& title) override;
  bool GetWindowTitle(WindowId window, std::string& title) const override;
  bool SetWindowIcon(WindowId window, const std::vector<WindowIconImage>& images) override;
  // What SetWindowIcon last set; empty before any call or for an unknown window.
  std::vector<WindowIconImage> GetWindowIcon(WindowId window) const;
  bool ActivateWindow(WindowId window) override;
  bool SetCapture(WindowId window) override;
  WindowId GetCapture() const override { return mCapture; }
  void SetCursor(CursorKind cursor) override;
  CursorKind GetCursor() const { return mCursor; }
  ImageCursorId CreateImageCursor(const CursorImage& image) override;
  bool SetImageCursor(ImageCursorId cursor) override;
  // The image cursor shown; 0 while a system cursor (GetCursor) is.
  ImageCursorId GetImageCursor() const { return mImageCursor; }
  RCPtr<IWindowPresenter> GetPresenter(WindowId window) override;

  bool PollEvent(WindowEvent& event) override;
  bool WaitEvent(uint32_t milliseconds) override;
  void PostEvent(const WindowEvent& event) override;

 protected:
  struct WindowRecord {
    WindowSpec spec;
    bool visible = false;
    SizeLimits limits;
    RCPtr<IWindowPresenter> presenter;
    std::vector<WindowIconImage> icon;
  };

  // The desktop's side; each answers false when it failed.
  virtual bool NativeCreate(WindowId window, WindowRecord& record) = 0;
  virtual void NativeDestroy(WindowId window) = 0;
  virtual void NativeShow(WindowId window, bool show) = 0;
  virtual void NativeSetRect(WindowId window, const RectT<int32_t>& rect) = 0;
  virtual void NativeSetTitle(WindowId window, const std::string& title) = 0;
  virtual void NativeSetSizeLimits(WindowId window, const SizeLimits& limits) = 0;
  // The images are checked; false when the desktop cannot take them.
  virtual bool NativeSetIcon(WindowId window, const std::vector<WindowIconImage>& images) = 0;
  virtual void NativeActivate(WindowId window) = 0;
  virtual void NativeSetCapture(WindowId window) = 0;
  virtual void NativeSetCursor(CursorKind cursor) = 0;
  // The image is checked; false when the desktop cannot make the cursor.
  virtual bool NativeCreateImageCursor(ImageCursorId cursor, const CursorImage& image) = 0;
  virtual void NativeSetImageCursor(ImageCursorId cursor) = 0;
  // The next event of the desktop, if one is there.
  virtual bool NativePollEvent(WindowEvent& event) = 0;
  // Sleeps until the desktop has an event, NativeWake is called or milliseconds pass.
  virtual void NativeWait(uint32_t milliseconds) = 0;
  // Ends NativeWait early; any thread.
  virtual void NativeWake() = 0;

  const WindowRecord* FindWindow(WindowId window) const;
  // A desktop that sized a window itself tells the table.
  void RecordClientSize(WindowId window, int32_t width, int32_t height);
  bool HasPostedEvent();

 private:
  std::map<WindowId, WindowRecord> mWindows;
  WindowId mNextId = 1;
  WindowId mCapture = 0;
  CursorKind mCursor = CursorKind::Arrow;
  ImageCursorId mImageCursor = 0;
  ImageCursorId mNextImageCursor = 1;
  std::mutex mPostedLock;
  std::deque<WindowEvent> mPosted;
  WindowEvent mPending;  // one desktop event taken by WaitEvent, handed out by PollEvent next
  bool mHasPending = false;
};

}  // namespace HV::Platform
