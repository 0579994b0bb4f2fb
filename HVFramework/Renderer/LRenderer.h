#pragma once

#include "HVFramework/Renderer/LMeasurementRenderer.h"
#include "HVFramework/Renderer/LRenderContextInfo.h"
#include "HVFramework/Renderer/LStencil.h"
#include "HVFramework/Renderer/RenderState.h"
#include "HVFramework/Renderer/ResizeType.h"
#include "HVFramework/Renderer/WindowHandle.h"
#include "HVFramework/Utilities/Graphics/Color.h"
#include "HVFramework/Utilities/Geometry/ColorRectListT.h"
#include "HVFramework/Utilities/Geometry/PointT.h"
#include "HVFramework/Utilities/Geometry/PolylineT.h"
#include "HVFramework/Utilities/Geometry/RectT.h"

#include <cstdint>
#include <vector>

namespace HV {

class LBitmap;

// LRenderer: the one drawing interface of the framework. Every control, look
// and visual part draws through it. The base keeps what every renderer
// shares: the stack of render contexts being drawn (the last is the current
// one) and, per context, the render state with its stack of saved states;
// the drawing itself is each renderer's.
//
// Per frame: RenderStart(context), drawing and push/pop pairs, then
// RenderFinish(the same context). Starts nest (a surface drawn while a window
// is drawn), but one context is never started twice. Operations on the state
// without a started context do nothing. User-interface thread only.
class LRenderer : public LMeasurementRenderer {
 public:
  // The renderer kinds of Create and GetRendererType.
  enum Kind : int { OpenGL = 0, GdiPlus = 1, Placeholder = 2 };

  // A renderer of the kind for a window (bounds are not used). The OpenGL
  // kind answers null while it is not part of the build; any other kind
  // throws a Domain Error.
  static RCPtr<LRenderer> Create(int type, const RectT<int32_t>& bounds, WindowHandle window);

  virtual int GetRendererType() const = 0;
  virtual HResult InitRenderContextInfo(const RectT<int32_t>& viewport, WindowHandle window, bool isOffscreen,
                                        RCPtr<LRenderContextInfo>& out) = 0;
  // Stores the current context's viewport.
  virtual HResult SetViewport(const RectT<int32_t>& viewport);
  // Replaces the current state's stencil (nothing when it is the same object).
  virtual HResult SetStencil(const RCPtr<LStencil>& stencil);
  // Puts context on the stack: a null context or one already on it throws a Runtime Error.
  virtual HResult RenderStart(const RCPtr<LRenderContextInfo>& context);
  // Takes context off the top of the stack; any other context throws a Runtime Error.
  virtual HResult RenderFinish(const RCPtr<LRenderContextInfo>& context);

  // position is the top-left of the line; the baseline lies the font's ascent below it.
  virtual void DrawText(const StringW& text, const RCPtr<LFont>& font, const PointT<int32_t>& position,
                        const Color& color) = 0;
  virtual void DrawRect(const RectT<int32_t>& rect, const Color& color, float lineWidth) = 0;
  // shouldBlend: over the target; otherwise the rectangle's pixels are replaced.
  virtual void FillRect(const RectT<int32_t>& rect, const Color& color, bool shouldBlend) = 0;
  // FillRect (blended) when the fill is not fully transparent, then DrawRect
  // when the outline is not.
  virtual void DrawFilledRect(const RectT<int32_t>& rect, const Color& fill, const Color& outline,
                              float lineWidth);
  virtual void DrawColorRectList(ColorRectListT<float>& list, const PointT<double>& offset,
                                 bool useCache) = 0;
  virtual void DrawLine(const PointT<float>& from, const PointT<float>& to, const Color& color,
                        float lineWidth) = 0;
  // The points taken in pairs.
  virtual void DrawLineList(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                            const PointT<float>& scale, bool useCache) = 0;
  // One open line through all points.
  virtual void DrawLineStrip(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                             const PointT<float>& scale, bool useCache) = 0;
  virtual void DrawPolygonOutline(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                                  const PointT<float>& scale, bool useCache) = 0;
  virtual void FillPolygon(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                           const PointT<float>& scale, bool useCache) = 0;
  virtual void DrawBitmap(const RCPtr<LBitmap>& bitmap, const RectT<int32_t>& destination,
                          ResizeType resize) = 0;
  virtual HResult DrawSurface(const RCPtr<LRenderContextInfo>& surface, const PointT<int32_t>& position,
                              const RectT<int32_t>& source) = 0;
  virtual HResult BlitSurface(const RCPtr<LRenderContextInfo>& surface, const PointT<int32_t>& position) = 0;

  // Inside a pushed state only: pushes, translates by the offset rounded to
  // whole pixels and keeps the clip on the same pixels.
  virtual void PushScroll(const PointT<double>& offset);
  // Enters a child at position (relative to the current translation, or in
  // target coordinates when isRelative is false) clipped to clip, with an
  // optional stencil; left with PopState.
  virtual void PushChildRect(const PointT<double>& position, const RectT<double>& clip,
                             const RCPtr<LStencil>& stencil, bool isRelative);
  virtual void PushState();
  // Restores the last pushed state through Translate, SetClipRect and
  // SetStencil; nothing when no state is saved.
  virtual void PopState();
  virtual void SetClipRect(const RectT<double>& clip);
  virtual void Translate(const PointT<double>& by);

  // The context being drawn (the top of the stack), or null.
  LRenderContextInfo* GetCurrentContext() const {
    return mContexts.empty() ? nullptr : mContexts.back().Get();
  }
  size_t GetContextDepth() const { return mContexts.size(); }

 protected:
  LRenderer() = default;
  // The current context's state, or null when no context is started.
  RenderState* CurrentState() const;

 private:
  std::vector<RCPtr<LRenderContextInfo>> mContexts;
};

}  // namespace HV
