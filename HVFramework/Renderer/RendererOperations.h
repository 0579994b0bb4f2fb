#pragma once

#include "HVFramework/Renderer/LRenderer.h"

// HV_DECLARE_RENDERER_OPERATIONS(): inside a class derived from LRenderer
// (in namespace HV or one within it), declares as overrides the operations
// every renderer that draws implements: measuring text, making render
// contexts, the frame (RenderStart, RenderFinish), every drawing operation
// and the state hooks SetClipRect and Translate. Their contracts are
// LRenderer's. The class declares the rest itself (GetRendererType, and
// SetViewport, GetMeasuredTextMargin or any other hook it overrides) and
// says what its own versions add. One list serves every renderer, so a
// change of the interface is made once.
#define HV_DECLARE_RENDERER_OPERATIONS()                                                                     \
  HResult GetFontMetrics(const RCPtr<LFont>& font, int32_t& height, int32_t& ascent, int32_t& descent)       \
      override;                                                                                              \
  RectT<float> MeasureText(const StringW& text, const RCPtr<LFont>& font) override;                          \
  HResult InitRenderContextInfo(const RectT<int32_t>& viewport, WindowHandle window, bool isOffscreen,       \
                                RCPtr<LRenderContextInfo>& out) override;                                    \
  HResult RenderStart(const RCPtr<LRenderContextInfo>& context) override;                                    \
  HResult RenderFinish(const RCPtr<LRenderContextInfo>& context) override;                                   \
  void DrawText(const StringW& text, const RCPtr<LFont>& font, const PointT<int32_t>& position,              \
                const Color& color) override;                                                                \
  void DrawRect(const RectT<int32_t>& rect, const Color& color, float lineWidth) override;                   \
  void FillRect(const RectT<int32_t>& rect, const Color& color, bool shouldBlend) override;                  \
  void DrawColorRectList(ColorRectListT<float>& list, const PointT<double>& offset, bool useCache) override; \
  void DrawLine(const PointT<float>& from, const PointT<float>& to, const Color& color, float lineWidth)     \
      override;                                                                                              \
  void DrawLineList(PolylineT<float>& line, const Color& color, const PointT<float>& offset,                 \
                    const PointT<float>& scale, bool useCache) override;                                     \
  void DrawLineStrip(PolylineT<float>& line, const Color& color, const PointT<float>& offset,                \
                     const PointT<float>& scale, bool useCache) override;                                    \
  void DrawPolygonOutline(PolylineT<float>& line, const Color& color, const PointT<float>& offset,           \
                          const PointT<float>& scale, bool useCache) override;                               \
  void FillPolygon(PolylineT<float>& line, const Color& color, const PointT<float>& offset,                  \
                   const PointT<float>& scale, bool useCache) override;                                      \
  void DrawBitmap(const RCPtr<LBitmap>& bitmap, const RectT<int32_t>& destination, ResizeType resize)        \
      override;                                                                                              \
  HResult DrawSurface(const RCPtr<LRenderContextInfo>& surface, const PointT<int32_t>& position,             \
                      const RectT<int32_t>& source) override;                                                \
  HResult BlitSurface(const RCPtr<LRenderContextInfo>& surface, const PointT<int32_t>& position) override;   \
  void SetClipRect(const RectT<double>& clip) override;                                                      \
  void Translate(const PointT<double>& by) override
