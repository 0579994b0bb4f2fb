#include "HVFramework/Platform/2D/MemoryPresenter.h"

#include "HVFramework/Platform/2D/PresentRects.h"

#include <cstring>

namespace HV::Platform {

void MemoryPresenter::Present(const PresentedFrame& frame, const std::vector<RectT<int32_t>>& rects) {
  mCalls.push_back(rects);
  // Made on the first picture: a window that is never shown (headless builds
  // of a whole tree) needs none.
  if (mPixels.empty()) mPixels.assign(static_cast<size_t>(mWidth) * mHeight, 0);
  for (RectT<int32_t> r : rects) {
    if (!ClipToSize(r, std::min(frame.width, mWidth), std::min(frame.height, mHeight))) continue;
    for (int32_t y = r.y; y < r.y + r.height; ++y)
      std::memcpy(&mPixels[static_cast<size_t>(y) * mWidth + r.x],
                  frame.pixels + static_cast<size_t>(y) * frame.stride + static_cast<size_t>(r.x) * 4,
                  static_cast<size_t>(r.width) * 4);
  }
}

uint32_t MemoryPresenter::GetPixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= mWidth || y >= mHeight || mPixels.empty()) return 0;
  return mPixels[static_cast<size_t>(y) * mWidth + x];
}

}  // namespace HV::Platform
