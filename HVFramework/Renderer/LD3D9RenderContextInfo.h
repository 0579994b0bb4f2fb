#pragma once

#include "HVFramework/Renderer/LRenderContextInfo.h"

#include <utility>

namespace HV {

// LD3D9RenderContextInfo: the context record of the placeholder renderer;
// it reports no viewport limits.
class LD3D9RenderContextInfo : public LRenderContextInfo {
 public:
  static RCPtr<LD3D9RenderContextInfo> Create(const RectT<int32_t>& viewport, WindowHandle window,
                                              bool isOffscreen) {
    return RCPtr<LD3D9RenderContextInfo>(new LD3D9RenderContextInfo(viewport, window, isOffscreen));
  }
  std::pair<int, int> GetMaxViewportDims() const override { return {0, 0}; }

 protected:
  using LRenderContextInfo::LRenderContextInfo;
};

}  // namespace HV
