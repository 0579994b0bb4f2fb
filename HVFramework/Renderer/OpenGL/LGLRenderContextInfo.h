#pragma once

#include "HVFramework/Renderer/LRenderContextInfo.h"

#include <utility>

namespace HV {

// LGLRenderContextInfo: the render context of the OpenGL renderer: the
// largest viewport the GL context supports, read when the record is made.
class LGLRenderContextInfo : public LRenderContextInfo {
 public:
  static RCPtr<LGLRenderContextInfo> Create(const RectT<int32_t>& viewport, WindowHandle window,
                                            bool isOffscreen, std::pair<int, int> maxViewport) {
    return RCPtr<LGLRenderContextInfo>(new LGLRenderContextInfo(viewport, window, isOffscreen, maxViewport));
  }
  std::pair<int, int> GetMaxViewportDims() const override { return mMaxViewport; }

 protected:
  LGLRenderContextInfo(const RectT<int32_t>& viewport, WindowHandle window, bool isOffscreen,
                       std::pair<int, int> maxViewport)
      : LRenderContextInfo(viewport, window, isOffscreen), mMaxViewport(maxViewport) {}

 private:
  std::pair<int, int> mMaxViewport;
};

}  // namespace HV
