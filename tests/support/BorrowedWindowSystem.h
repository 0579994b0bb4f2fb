#pragma once

// BorrowedWindowSystem: a window system that hands every call to one the test
// owns, so that a program which takes ownership of its window system (and
// destroys it at its end) leaves the test's -- with its recorded message
// boxes and windows -- to be read afterwards.

#include "HVFramework/Platform/UI/IWindowSystem.h"

namespace HV::Test {

class BorrowedWindowSystem : public Platform::IWindowSystem {
 public:
  explicit BorrowedWindowSystem(Platform::IWindowSystem& owner) : mOwner(owner) {}

  Platform::WindowId CreateWindow(const Platform::WindowSpec& spec) override { return mOwner.CreateWindow(spec); }
  bool DestroyWindow(Platform::WindowId window) override { return mOwner.DestroyWindow(window); }
  bool ShowWindow(Platform::WindowId window, bool show) override { return mOwner.ShowWindow(window, show); }
  bool IsWindowVisible(Platform::WindowId window) const override { return mOwner.IsWindowVisible(window); }
  bool SetWindowRect(Platform::WindowId window, const RectT<int32_t>& rect) override {
    return mOwner.SetWindowRect(window, rect);
  }
  bool GetWindowRect(Platform::WindowId window, RectT<int32_t>& rect) const override {
    return mOwner.GetWindowRect(window, rect);
  }
  bool SetSizeLimits(Platform::WindowId window, const Platform::SizeLimits& limits) override {
    return mOwner.SetSizeLimits(window, limits);
  }
  RectT<int32_t> GetWorkArea() const override { return mOwner.GetWorkArea(); }
  Platform::FrameExtents GetFrameExtents(Platform::WindowId window) const override {
    return mOwner.GetFrameExtents(window);
  }
  bool SetWindowTitle(Platform::WindowId window, const std::string& title) override {
    return mOwner.SetWindowTitle(window, title);
  }
  bool GetWindowTitle(Platform::WindowId window, std::string& title) const override {
    return mOwner.GetWindowTitle(window, title);
  }
  bool ActivateWindow(Platform::WindowId window) override { return mOwner.ActivateWindow(window); }
  bool SetCapture(Platform::WindowId window) override { return mOwner.SetCapture(window); }
  Platform::WindowId GetCapture() const override { return mOwner.GetCapture(); }
  void SetCursor(Platform::CursorKind cursor) override { mOwner.SetCursor(cursor); }
  Platform::ImageCursorId CreateImageCursor(const Platform::CursorImage& image) override {
    return mOwner.CreateImageCursor(image);
  }
  bool SetImageCursor(Platform::ImageCursorId cursor) override { return mOwner.SetImageCursor(cursor); }
  bool SetWindowIcon(Platform::WindowId window, const std::vector<Platform::WindowIconImage>& images) override {
    return mOwner.SetWindowIcon(window, images);
  }
  RCPtr<Platform::IWindowPresenter> GetPresenter(Platform::WindowId window) override {
    return mOwner.GetPresenter(window);
  }
  bool PollEvent(Platform::WindowEvent& event) override { return mOwner.PollEvent(event); }
  bool WaitEvent(uint32_t milliseconds) override { return mOwner.WaitEvent(milliseconds); }
  void PostEvent(const Platform::WindowEvent& event) override { mOwner.PostEvent(event); }
  Platform::MessageBoxAnswer ShowMessageBox(Platform::WindowId owner, const std::string& title,
                                            const std::string& text, Platform::MessageBoxKind kind) override {
    return mOwner.ShowMessageBox(owner, title, text, kind);
  }
  bool HasUser() const override { return mOwner.HasUser(); }
  void SetClipboardText(const std::string& text) override { mOwner.SetClipboardText(text); }
  std::string GetClipboardText() override { return mOwner.GetClipboardText(); }
  uint32_t GetClipboardChangeCount() override { return mOwner.GetClipboardChangeCount(); }

 private:
  Platform::IWindowSystem& mOwner;
};

}  // namespace HV::Test
