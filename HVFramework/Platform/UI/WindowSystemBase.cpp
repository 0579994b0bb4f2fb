#include "HVFramework/Platform/UI/WindowSystemBase.h"

namespace HV::Platform {

namespace {

// Whether pixels fill a width x height image no larger than the largest side.
bool IsBoundedImage(int32_t width, int32_t height, size_t pixels) {
  const bool isSized = width > 0 && height > 0 && width <= kLargestImageSide && height <= kLargestImageSide;
  return isSized && pixels == size_t(width) * size_t(height);
}

}  // namespace

WindowId WindowSystemBase::CreateWindow(const WindowSpec& spec) {
  const WindowId id = mNextId++;
  WindowRecord record;
  record.spec = spec;
  record.limits.isResizable = spec.isResizable && !spec.popup;
  if (!NativeCreate(id, record)) return 0;
  mWindows.emplace(id, std::move(record));
  return id;
}

bool WindowSystemBase::DestroyWindow(WindowId window) {
  if (mWindows.erase(window) == 0) return false;
  if (mCapture == window) mCapture = 0;
  NativeDestroy(window);
  return true;
}

bool WindowSystemBase::ShowWindow(WindowId window, bool show) {
  auto found = mWindows.find(window);
  if (found == mWindows.end()) return false;
  found->second.visible = show;
  NativeShow(window, show);
  return true;
}

bool WindowSystemBase::IsWindowVisible(WindowId window) const {
  const WindowRecord* record = FindWindow(window);
  return record != nullptr && record->visible;
}

bool WindowSystemBase::SetWindowRect(WindowId window, const RectT<int32_t>& rect) {
  auto found = mWindows.find(window);
  if (found == mWindows.end()) return false;
  found->second.spec.rect = rect;
  NativeSetRect(window, rect);
  return true;
}

bool WindowSystemBase::GetWindowRect(WindowId window, RectT<int32_t>& rect) const {
  const WindowRecord* record = FindWindow(window);
  if (record == nullptr) return false;
  rect = record->spec.rect;
  return true;
}

bool WindowSystemBase::SetSizeLimits(WindowId window, const SizeLimits& limits) {
  auto found = mWindows.find(window);
  if (found == mWindows.end()) return false;
  found->second.limits = limits;
  NativeSetSizeLimits(window, limits);
  return true;
}

bool WindowSystemBase::GetSizeLimits(WindowId window, SizeLimits& limits) const {
  const WindowRecord* record = FindWindow(window);
  if (record == nullptr) return false;
  limits = record->limits;
  return true;
}

WindowId WindowSystemBase::GetOwner(WindowId window) const {
  const WindowRecord* record = FindWindow(window);
  return record != nullptr ? record->spec.owner : 0;
}

bool WindowSystemBase::GetWindowSpec(WindowId window, WindowSpec& spec) const {
  const WindowRecord* record = FindWindow(window);
  if (record == nullptr) return false;
  spec = record->spec;
  return true;
}

void WindowSystemBase::RecordClientSize(WindowId window, int32_t width, int32_t height) {
  auto found = mWindows.find(window);
  if (found == mWindows.end()) return;
  found->second.spec.rect.width = width;
  found->second.spec.rect.height = height;
}

bool WindowSystemBase::SetWindowTitle(WindowId window, const std::string& title) {
  auto found = mWindows.find(window);
  if (found == mWindows.end()) return false;
  found->second.spec.title = title;
  NativeSetTitle(window, title);
  return true;
}

bool WindowSystemBase::GetWindowTitle(WindowId window, std::string& title) const {
  const WindowRecord* record = FindWindow(window);
  if (record == nullptr) return false;
  title = record->spec.title;
  return true;
}

bool WindowSystemBase::SetWindowIcon(WindowId window, const std::vector<WindowIconImage>& images) {
  auto found = mWindows.find(window);
  if (found == mWindows.end() || images.empty()) return false;
  for (const WindowIconImage& image : images)
    if (!IsBoundedImage(image.width, image.height, image.pixels.size())) return false;
  if (!NativeSetIcon(window, images)) return false;
  found->second.icon = images;
  return true;
}

std::vector<WindowIconImage> WindowSystemBase::GetWindowIcon(WindowId window) const {
  const WindowRecord* record = FindWindow(window);
  return record != nullptr ? record->icon : std::vector<WindowIconImage>();
}

bool WindowSystemBase::ActivateWindow(WindowId window) {
  const WindowRecord* record = FindWindow(window);
  if (record == nullptr || !record->visible) return false;
  NativeActivate(window);
  return true;
}

bool WindowSystemBase::SetCapture(WindowId window) {
  if (window != 0 && FindWindow(window) == nullptr) return false;
  mCapture = window;
  NativeSetCapture(window);
  return true;
}

void WindowSystemBase::SetCursor(CursorKind cursor) {
  if (cursor == mCursor && mImageCursor == 0) return;
  mCursor = cursor;
  mImageCursor = 0;
  NativeSetCursor(cursor);
}

ImageCursorId WindowSystemBase::CreateImageCursor(const CursorImage& image) {
  if (!IsBoundedImage(image.width, image.height, image.pixels.size())) return 0;
  if (image.hotX < 0 || image.hotY < 0 || image.hotX >= image.width || image.hotY >= image.height) return 0;
  const ImageCursorId id = mNextImageCursor;
  if (!NativeCreateImageCursor(id, image)) return 0;
  ++mNextImageCursor;
  return id;
}

bool WindowSystemBase::SetImageCursor(ImageCursorId cursor) {
  if (cursor == 0 || cursor >= mNextImageCursor) return false;
  if (cursor == mImageCursor) return true;
  mImageCursor = cursor;
  NativeSetImageCursor(cursor);
  return true;
}

RCPtr<IWindowPresenter> WindowSystemBase::GetPresenter(WindowId window) {
  const WindowRecord* record = FindWindow(window);
  return record != nullptr ? record->presenter : RCPtr<IWindowPresenter>();
}

const WindowSystemBase::WindowRecord* WindowSystemBase::FindWindow(WindowId window) const {
  auto found = mWindows.find(window);
  return found == mWindows.end() ? nullptr : &found->second;
}

bool WindowSystemBase::HasPostedEvent() {
  std::lock_guard<std::mutex> hold(mPostedLock);
  return !mPosted.empty();
}

bool WindowSystemBase::PollEvent(WindowEvent& event) {
  if (mHasPending) {
    event = std::move(mPending);
    mHasPending = false;
    return true;
  }
  if (NativePollEvent(event)) return true;
  std::lock_guard<std::mutex> hold(mPostedLock);
  if (mPosted.empty()) return false;
  event = std::move(mPosted.front());
  mPosted.pop_front();
  return true;
}

bool WindowSystemBase::WaitEvent(uint32_t milliseconds) {
  if (mHasPending || HasPostedEvent()) return true;
  if (NativePollEvent(mPending)) return mHasPending = true;
  NativeWait(milliseconds);
  if (NativePollEvent(mPending)) return mHasPending = true;
  return HasPostedEvent();
}

void WindowSystemBase::PostEvent(const WindowEvent& event) {
  {
    std::lock_guard<std::mutex> hold(mPostedLock);
    mPosted.push_back(event);
  }
  NativeWake();
}

}  // namespace HV::Platform
