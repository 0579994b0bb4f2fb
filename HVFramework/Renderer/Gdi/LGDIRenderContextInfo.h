#pragma once

#include "HVFramework/Platform/2D/Graphics2D.h"
#include "HVFramework/Platform/2D/Surface2D.h"
#include "HVFramework/Renderer/LRenderContextInfo.h"

#include <memory>
#include <utility>

namespace HV {

// LGDIRenderContextInfo: a drawing target of the GDI+-style renderer: two
// offscreen surfaces of the viewport's size (the drawing surface, which
// receives all drawing, and a second one that BlitSurface swaps in) and,
// while the context is being drawn, the drawing object of its frame.
// User-interface thread only.
class LGDIRenderContextInfo : public LRenderContextInfo {
 public:
  // Null when the surfaces cannot be made (a side above Surface2D::kMaxSide).
  static RCPtr<LGDIRenderContextInfo> Create(const RectT<int32_t>& viewport, WindowHandle window,
                                             bool isOffscreen);

  std::pair<int, int> GetMaxViewportDims() const override { return {4096, 4096}; }

  Platform::Surface2D& GetDrawingSurface() const { return *mSurfaces[0]; }
  // Makes both surfaces anew at the viewport's size (each at least 1 x 1).
  bool RemakeSurfaces();
  // The two surfaces change roles.
  void SwapSurfaces() { std::swap(mSurfaces[0], mSurfaces[1]); }

  // The drawing object of the frame in progress, or null.
  Platform::Graphics2D* GetGraphics() const { return mGraphics.get(); }
  // A fresh drawing object on the drawing surface with the current state's
  // translation and clip; null drops it.
  Platform::Graphics2D* BeginGraphics();
  void EndGraphics() { mGraphics.reset(); }

 protected:
  using LRenderContextInfo::LRenderContextInfo;

 private:
  RCPtr<Platform::Surface2D> mSurfaces[2];
  std::unique_ptr<Platform::Graphics2D> mGraphics;
};

}  // namespace HV
