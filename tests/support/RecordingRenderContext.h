#pragma once

#include "HVFramework/Renderer/LRenderContextInfo.h"

#include <utility>

namespace HV::Test {

// A render context of the recording renderer; its viewport limit is settable.
class RecordingRenderContext : public LRenderContextInfo {
 public:
  static RCPtr<RecordingRenderContext> Create(const RectT<int32_t>& viewport, WindowHandle window = nullptr,
                                              bool isOffscreen = false) {
    return RCPtr<RecordingRenderContext>(new RecordingRenderContext(viewport, window, isOffscreen));
  }
  std::pair<int, int> GetMaxViewportDims() const override { return mMaxViewport; }
  void SetMaxViewportDims(int width, int height) { mMaxViewport = {width, height}; }

 protected:
  using LRenderContextInfo::LRenderContextInfo;

 private:
  std::pair<int, int> mMaxViewport{16384, 16384};
};

}  // namespace HV::Test
