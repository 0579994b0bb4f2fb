#include "HVFramework/Renderer/Gdi/LGDIRenderContextInfo.h"

#include <algorithm>

namespace HV {

RCPtr<LGDIRenderContextInfo> LGDIRenderContextInfo::Create(const RectT<int32_t>& viewport,
                                                           WindowHandle window, bool isOffscreen) {
  RCPtr<LGDIRenderContextInfo> context(new LGDIRenderContextInfo(viewport, window, isOffscreen));
  if (!context->RemakeSurfaces()) return nullptr;
  return context;
}

bool LGDIRenderContextInfo::RemakeSurfaces() {
  const int32_t width = std::max(GetViewport().width, 1);
  const int32_t height = std::max(GetViewport().height, 1);
  RCPtr<Platform::Surface2D> drawing = Platform::Surface2D::Create(width, height);
  RCPtr<Platform::Surface2D> second = Platform::Surface2D::Create(width, height);
  if (!drawing || !second) return false;
  mSurfaces[0] = drawing;
  mSurfaces[1] = second;
  if (mGraphics) BeginGraphics();
  return true;
}

Platform::Graphics2D* LGDIRenderContextInfo::BeginGraphics() {
  mGraphics = std::make_unique<Platform::Graphics2D>(*mSurfaces[0]);
  const RenderState& state = GetCurrentState();
  // The state's clip is in the coordinates of its translation: translate first.
  mGraphics->SetTranslation(state.translation);
  mGraphics->SetClip(state.clipRect);
  return mGraphics.get();
}

}  // namespace HV
