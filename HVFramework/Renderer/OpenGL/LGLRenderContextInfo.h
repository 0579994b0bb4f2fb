#pragma once

#include "HVFramework/Renderer/LRenderContextInfo.h"
#include "HVFramework/Renderer/OpenGL/LGLTexture.h"

#include <utility>

namespace HV {

// LGLRenderContextInfo: the render context of the OpenGL renderer: the
// largest viewport the GL context supports, read when the record is made,
// and for an offscreen surface the texture that holds what its last frame drew.
class LGLRenderContextInfo : public LRenderContextInfo {
 public:
  static RCPtr<LGLRenderContextInfo> Create(const RectT<int32_t>& viewport, WindowHandle window,
                                            bool isOffscreen, std::pair<int, int> maxViewport) {
    return RCPtr<LGLRenderContextInfo>(new LGLRenderContextInfo(viewport, window, isOffscreen, maxViewport));
  }
  std::pair<int, int> GetMaxViewportDims() const override { return mMaxViewport; }
  // Null until a frame of the surface was finished.
  const RCPtr<LGLTexture>& GetSurfaceTexture() const { return mSurfaceTexture; }
  void SetSurfaceTexture(const RCPtr<LGLTexture>& texture) { mSurfaceTexture = texture; }

 protected:
  LGLRenderContextInfo(const RectT<int32_t>& viewport, WindowHandle window, bool isOffscreen,
                       std::pair<int, int> maxViewport)
      : LRenderContextInfo(viewport, window, isOffscreen), mMaxViewport(maxViewport) {}

 private:
  std::pair<int, int> mMaxViewport;
  RCPtr<LGLTexture> mSurfaceTexture;
};

}  // namespace HV
