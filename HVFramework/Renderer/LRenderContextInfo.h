#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Renderer/LRectRegion.h"
#include "HVFramework/Renderer/RenderState.h"
#include "HVFramework/Renderer/WindowHandle.h"
#include "HVFramework/Utilities/Geometry/RectT.h"

#include <cstdint>
#include <deque>
#include <utility>

namespace HV {

// LRenderContextInfo: the record of one drawing target, a window or an
// offscreen surface: its viewport, the current render state with the stack
// of saved states, and the window's update region, which the window layer
// fills with the invalidated rectangles before each frame. Each renderer
// makes its own kind in InitRenderContextInfo. User-interface thread only.
class LRenderContextInfo : public virtual LRefCountedObject {
 public:
  // The largest viewport width and height the target supports.
  virtual std::pair<int, int> GetMaxViewportDims() const = 0;

  WindowHandle GetWindowHandle() const { return mWindow; }
  bool IsOffscreen() const { return mOffscreen != 0; }

  const RectT<int32_t>& GetViewport() const { return mViewport; }
  void SetViewport(const RectT<int32_t>& viewport) { mViewport = viewport; }

  RenderState& GetCurrentState() { return mState; }
  const RenderState& GetCurrentState() const { return mState; }
  std::deque<RenderState>& GetSavedStates() { return mSavedStates; }
  const std::deque<RenderState>& GetSavedStates() const { return mSavedStates; }

  LRectRegion& GetUpdateRegion() { return mUpdateRegion; }
  const LRectRegion& GetUpdateRegion() const { return mUpdateRegion; }

  // The current translation: where the current drawing's (0, 0) lies on the target.
  const PointT<double>& GetOrigin() const { return mState.translation; }
  // The current clip rectangle, in the coordinates of the current translation.
  const RectT<double>& GetClipBounds() const { return mState.clipRect; }
  // The stencil of the current state (null when none is set).
  const RCPtr<LStencil>& GetDefaultStencil() const { return mState.stencil; }

  // Started by a renderer (between RenderStart and RenderFinish) with a
  // viewport that has an area.
  bool CanDrawNow() const { return mIsStarted && mViewport.width > 0 && mViewport.height > 0; }
  bool IsStarted() const { return mIsStarted; }
  // Kept by the renderer that starts and finishes the context.
  void SetStarted(bool isStarted) { mIsStarted = isStarted; }

 protected:
  LRenderContextInfo(const RectT<int32_t>& viewport, WindowHandle window, bool isOffscreen)
      : mWindow(window), mOffscreen(isOffscreen ? 1 : 0), mViewport(viewport) {}

 private:
  WindowHandle mWindow = nullptr;
  int32_t mOffscreen = 0;
  RectT<int32_t> mViewport;
  RenderState mState;
  std::deque<RenderState> mSavedStates;  // a stack: pushed and popped at the back
  LRectRegion mUpdateRegion;
  bool mIsStarted = false;
};

}  // namespace HV
