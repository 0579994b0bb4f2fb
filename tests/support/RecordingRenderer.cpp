#include "tests/support/RecordingRenderer.h"

#include "HVFramework/Utilities/Graphics/LBitmap.h"

#include <cstdio>

namespace HV::Test {
namespace {

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

template <class T>
std::string Text(const RectT<T>& r) {
  return Number(r.x) + "," + Number(r.y) + "," + Number(r.width) + "," + Number(r.height);
}

template <class T>
std::string Text(const PointT<T>& p) {
  return Number(p.x) + "," + Number(p.y);
}

std::string Text(const Color& c) {
  char text[16];
  std::snprintf(text, sizeof text, "#%08X", c.ToARGB());
  return text;
}

std::string Text(const RCPtr<LStencil>& stencil) {
  return stencil ? Number(stencil->GetWidth()) + "x" + Number(stencil->GetHeight()) : "null";
}

std::string Text(const StringW& text) { return text.ToCharString().GetText(); }

const char* CacheText(bool useCache) { return useCache ? " cached" : ""; }

}  // namespace

HResult RecordingRenderer::GetFontMetrics(const RCPtr<LFont>&, int32_t& height, int32_t& ascent,
                                          int32_t& descent) {
  Record("GetFontMetrics");
  height = mMetrics.height;
  ascent = mMetrics.ascent;
  descent = mMetrics.descent;
  return S_OK;
}

RectT<float> RecordingRenderer::MeasureText(const StringW& text, const RCPtr<LFont>&) {
  Record("MeasureText(" + Text(text) + ")");
  return mTextBox;
}

HResult RecordingRenderer::InitRenderContextInfo(const RectT<int32_t>& viewport, WindowHandle window,
                                                 bool isOffscreen, RCPtr<LRenderContextInfo>& out) {
  Record("InitRenderContextInfo(" + Text(viewport) + (isOffscreen ? " offscreen)" : ")"));
  out = RecordingRenderContext::Create(viewport, window, isOffscreen);
  return S_OK;
}

HResult RecordingRenderer::SetViewport(const RectT<int32_t>& viewport) {
  Record("SetViewport(" + Text(viewport) + ")");
  return LRenderer::SetViewport(viewport);
}

HResult RecordingRenderer::SetStencil(const RCPtr<LStencil>& stencil) {
  Record("SetStencil(" + Text(stencil) + ")");
  return LRenderer::SetStencil(stencil);
}

HResult RecordingRenderer::RenderStart(const RCPtr<LRenderContextInfo>& context) {
  Record("RenderStart");
  return LRenderer::RenderStart(context);
}

HResult RecordingRenderer::RenderFinish(const RCPtr<LRenderContextInfo>& context) {
  Record("RenderFinish");
  return LRenderer::RenderFinish(context);
}

void RecordingRenderer::DrawText(const StringW& text, const RCPtr<LFont>&, const PointT<int32_t>& position,
                                 const Color& color) {
  Record("DrawText(" + Text(text) + " @" + Text(position) + " " + Text(color) + ")");
}

void RecordingRenderer::DrawRect(const RectT<int32_t>& rect, const Color& color, float lineWidth) {
  Record("DrawRect(" + Text(rect) + " " + Text(color) + " w" + Number(lineWidth) + ")");
}

void RecordingRenderer::FillRect(const RectT<int32_t>& rect, const Color& color, bool shouldBlend) {
  Record("FillRect(" + Text(rect) + " " + Text(color) + (shouldBlend ? " blend)" : " replace)"));
}

void RecordingRenderer::DrawFilledRect(const RectT<int32_t>& rect, const Color& fill, const Color& outline,
                                       float lineWidth) {
  Record("DrawFilledRect(" + Text(rect) + " " + Text(fill) + " " + Text(outline) + " w" + Number(lineWidth) +
         ")");
  LRenderer::DrawFilledRect(rect, fill, outline, lineWidth);
}

void RecordingRenderer::DrawColorRectList(ColorRectListT<float>& list, const PointT<double>& offset,
                                          bool useCache) {
  Record("DrawColorRectList(" + Number(static_cast<double>(list.GetCount())) + " rects @" + Text(offset) +
         CacheText(useCache) + ")");
}

void RecordingRenderer::DrawLine(const PointT<float>& from, const PointT<float>& to, const Color& color,
                                 float lineWidth) {
  Record("DrawLine(" + Text(from) + " " + Text(to) + " " + Text(color) + " w" + Number(lineWidth) + ")");
}

void RecordingRenderer::RecordLine(const char* operation, const PolylineT<float>& line, const Color& color,
                                   const PointT<float>& offset, const PointT<float>& scale, bool useCache) {
  Record(std::string(operation) + "(" + Number(static_cast<double>(line.GetCount())) + " points " +
         Text(color) + " @" + Text(offset) + " x" + Text(scale) + CacheText(useCache) + ")");
}

void RecordingRenderer::DrawLineList(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                                     const PointT<float>& scale, bool useCache) {
  RecordLine("DrawLineList", line, color, offset, scale, useCache);
}

void RecordingRenderer::DrawLineStrip(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                                      const PointT<float>& scale, bool useCache) {
  RecordLine("DrawLineStrip", line, color, offset, scale, useCache);
}

void RecordingRenderer::DrawPolygonOutline(PolylineT<float>& line, const Color& color,
                                           const PointT<float>& offset, const PointT<float>& scale,
                                           bool useCache) {
  RecordLine("DrawPolygonOutline", line, color, offset, scale, useCache);
}

void RecordingRenderer::FillPolygon(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                                    const PointT<float>& scale, bool useCache) {
  RecordLine("FillPolygon", line, color, offset, scale, useCache);
}

void RecordingRenderer::DrawBitmap(const RCPtr<LBitmap>& bitmap, const RectT<int32_t>& destination,
                                   ResizeType resize) {
  const std::string name = bitmap ? Text(bitmap->GetName()) : "null";
  Record("DrawBitmap(" + name + " " + Text(destination) + " resize" + Number(static_cast<int32_t>(resize)) +
         ")");
}

HResult RecordingRenderer::DrawSurface(const RCPtr<LRenderContextInfo>&, const PointT<int32_t>& position,
                                       const RectT<int32_t>& source) {
  Record("DrawSurface(@" + Text(position) + " " + Text(source) + ")");
  return S_OK;
}

HResult RecordingRenderer::BlitSurface(const RCPtr<LRenderContextInfo>&, const PointT<int32_t>& position) {
  Record("BlitSurface(@" + Text(position) + ")");
  return S_OK;
}

void RecordingRenderer::PushScroll(const PointT<double>& offset) {
  Record("PushScroll(" + Text(offset) + ")");
  LRenderer::PushScroll(offset);
}

void RecordingRenderer::PushChildRect(const PointT<double>& position, const RectT<double>& clip,
                                      const RCPtr<LStencil>& stencil, bool isRelative) {
  Record("PushChildRect(" + Text(position) + " " + Text(clip) + " " + Text(stencil) +
         (isRelative ? " relative)" : " absolute)"));
  LRenderer::PushChildRect(position, clip, stencil, isRelative);
}

void RecordingRenderer::PushState() {
  Record("PushState");
  LRenderer::PushState();
}

void RecordingRenderer::PopState() {
  Record("PopState");
  LRenderer::PopState();
}

void RecordingRenderer::SetClipRect(const RectT<double>& clip) {
  Record("SetClipRect(" + Text(clip) + ")");
  LRenderer::SetClipRect(clip);
}

void RecordingRenderer::Translate(const PointT<double>& by) {
  Record("Translate(" + Text(by) + ")");
  LRenderer::Translate(by);
}

}  // namespace HV::Test
