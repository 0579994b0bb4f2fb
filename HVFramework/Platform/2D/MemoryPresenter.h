#pragma once

#include "HVFramework/Platform/2D/IWindowPresenter.h"

#include <cstdint>
#include <vector>

namespace HV::Platform {

// MemoryPresenter: a window presenter for tests and headless runs: a window
// picture in memory (premultiplied 0xAARRGGBB, transparent at first) that
// receives the presented rectangles, and the list of every call's rectangles.
class MemoryPresenter : public IWindowPresenter {
 public:
  static RCPtr<MemoryPresenter> Create(int32_t width, int32_t height) {
    return RCPtr<MemoryPresenter>(new MemoryPresenter(width, height));
  }

  void Present(const PresentedFrame& frame, const std::vector<RectT<int32_t>>& rects) override;

  int32_t GetWidth() const { return mWidth; }
  int32_t GetHeight() const { return mHeight; }
  // The window's pixel; 0 outside.
  uint32_t GetPixel(int32_t x, int32_t y) const;
  // The rectangles of each Present call, in order.
  const std::vector<std::vector<RectT<int32_t>>>& GetPresentedRects() const { return mCalls; }

 protected:
  MemoryPresenter(int32_t width, int32_t height)
      : mWidth(width), mHeight(height) {}

 private:
  int32_t mWidth;
  int32_t mHeight;
  std::vector<uint32_t> mPixels;  // empty until the first Present
  std::vector<std::vector<RectT<int32_t>>> mCalls;
};

}  // namespace HV::Platform
