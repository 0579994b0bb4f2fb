#pragma once

#include "HVFramework/Renderer/LD3D9RenderContextInfo.h"
#include "HVFramework/Renderer/LRenderer.h"

namespace HV {

// LD3D9Renderer: the placeholder renderer (kind 2): accepts every call and
// draws nothing; it keeps no context stack, so its contexts are never started.
class LD3D9Renderer : public LRenderer {
 public:
  static RCPtr<LRenderer> Create() { return RCPtr<LRenderer>(new LD3D9Renderer); }

  HResult GetFontMetrics(const RCPtr<LFont>&, int32_t&, int32_t&, int32_t&) override { return S_OK; }
  RectT<float> MeasureText(const StringW&, const RCPtr<LFont>&) override { return {}; }
  int GetRendererType() const override { return Placeholder; }
  HResult InitRenderContextInfo(const RectT<int32_t>& viewport, WindowHandle window, bool isOffscreen,
                                RCPtr<LRenderContextInfo>& out) override {
    out = LD3D9RenderContextInfo::Create(viewport, window, isOffscreen);
    return S_OK;
  }
  HResult RenderStart(const RCPtr<LRenderContextInfo>&) override { return S_OK; }
  HResult RenderFinish(const RCPtr<LRenderContextInfo>&) override { return S_OK; }
  void DrawText(const StringW&, const RCPtr<LFont>&, const PointT<int32_t>&, const Color&) override {}
  void DrawRect(const RectT<int32_t>&, const Color&, float) override {}
  void FillRect(const RectT<int32_t>&, const Color&, bool) override {}
  void DrawColorRectList(ColorRectListT<float>&, const PointT<double>&, bool) override {}
  void DrawLine(const PointT<float>&, const PointT<float>&, const Color&, float) override {}
  void DrawLineList(PolylineT<float>&, const Color&, const PointT<float>&, const PointT<float>&,
                    bool) override {}
  void DrawLineStrip(PolylineT<float>&, const Color&, const PointT<float>&, const PointT<float>&,
                     bool) override {}
  void DrawPolygonOutline(PolylineT<float>&, const Color&, const PointT<float>&, const PointT<float>&,
                          bool) override {}
  void FillPolygon(PolylineT<float>&, const Color&, const PointT<float>&, const PointT<float>&,
                   bool) override {}
  void DrawBitmap(const RCPtr<LBitmap>&, const RectT<int32_t>&, ResizeType) override {}
  HResult DrawSurface(const RCPtr<LRenderContextInfo>&, const PointT<int32_t>&,
                      const RectT<int32_t>&) override {
    return E_NOTIMPL;
  }
  HResult BlitSurface(const RCPtr<LRenderContextInfo>&, const PointT<int32_t>&) override { return E_NOTIMPL; }

 protected:
  LD3D9Renderer() = default;
};

}  // namespace HV
