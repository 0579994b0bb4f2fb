#include "HVFramework/Renderer/LRenderer.h"

#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Renderer/Gdi/LGDIRenderer.h"
#include "HVFramework/Renderer/LD3D9Renderer.h"
#include "HVFramework/Renderer/OpenGLRendererKind.h"

#include <algorithm>

namespace HV {

RCPtr<LRenderer> LRenderer::Create(int type, const RectT<int32_t>&, WindowHandle window) {
  switch (type) {
    case OpenGL:
      return CreateOpenGLRenderer ? CreateOpenGLRenderer(window) : nullptr;
    case GdiPlus:
      return LGDIRenderer::Create();
    case Placeholder:
      return LD3D9Renderer::Create();
    default:
      Throw<std::domain_error>(HV_HERE("HV::LRenderer::Create"));
  }
}

RenderState* LRenderer::CurrentState() const {
  LRenderContextInfo* context = GetCurrentContext();
  return context ? &context->GetCurrentState() : nullptr;
}

HResult LRenderer::SetViewport(const RectT<int32_t>& viewport) {
  if (LRenderContextInfo* context = GetCurrentContext()) context->SetViewport(viewport);
  return S_OK;
}

HResult LRenderer::SetStencil(const RCPtr<LStencil>& stencil) {
  if (RenderState* state = CurrentState()) state->stencil = stencil;
  return S_OK;
}

HResult LRenderer::RenderStart(const RCPtr<LRenderContextInfo>& context) {
  if (!context) Throw<std::runtime_error>("Render context is NULL", HV_HERE("HV::LRenderer::RenderStart"));
  if (std::find(mContexts.begin(), mContexts.end(), context) != mContexts.end())
    Throw<std::runtime_error>("Render context reentered.", HV_HERE("HV::LRenderer::RenderStart"));
  mContexts.push_back(context);
  context->SetStarted(true);
  return S_OK;
}

HResult LRenderer::RenderFinish(const RCPtr<LRenderContextInfo>& context) {
  if (mContexts.empty() || !(mContexts.back() == context))
    Throw<std::runtime_error>("RenderFinish context does not match RenderStart context",
                              HV_HERE("HV::LRenderer::RenderFinish"));
  context->SetStarted(false);
  mContexts.pop_back();
  return S_OK;
}

void LRenderer::DrawFilledRect(const RectT<int32_t>& rect, const Color& fill, const Color& outline,
                               float lineWidth) {
  if (fill.a > 0) FillRect(rect, fill, true);
  if (outline.a > 0) DrawRect(rect, outline, lineWidth);
}

void LRenderer::PushState() {
  if (LRenderContextInfo* context = GetCurrentContext())
    context->GetSavedStates().push_back(context->GetCurrentState());
}

void LRenderer::PopState() {
  LRenderContextInfo* context = GetCurrentContext();
  if (!context || context->GetSavedStates().empty()) return;
  const RenderState saved = std::move(context->GetSavedStates().back());
  context->GetSavedStates().pop_back();
  RenderState& state = context->GetCurrentState();
  Translate(saved.translation - state.translation);
  state.alphaFactor = saved.alphaFactor;
  SetClipRect(saved.clipRect);
  SetStencil(saved.stencil);
  state.isStencilActive = saved.isStencilActive;
}

void LRenderer::PushScroll(const PointT<double>& offset) {
  LRenderContextInfo* context = GetCurrentContext();
  if (!context || context->GetSavedStates().empty()) return;
  PushState();
  PointT<double> rounded = offset;
  rounded.Round();
  Translate(rounded);
  RectT<double>& clip = context->GetCurrentState().clipRect;
  clip.x -= rounded.x;
  clip.y -= rounded.y;
}

void LRenderer::PushChildRect(const PointT<double>& position, const RectT<double>& clip,
                              const RCPtr<LStencil>& stencil, bool isRelative) {
  LRenderContextInfo* context = GetCurrentContext();
  if (!context) return;
  PointT<double> t = position;
  if (!isRelative) t -= context->GetCurrentState().translation;
  t.Round();
  PushState();

  RectT<double> childClip = clip;
  if (isRelative) {
    childClip.Offset(t);
    // Clamped by the intersection: a clip outside the current one stays empty.
    childClip.Intersect(context->GetCurrentState().clipRect);
  }
  childClip.SnapToPixels();
  SetClipRect(childClip);
  Translate(t);
  if (isRelative) {
    RectT<double>& stored = context->GetCurrentState().clipRect;
    stored.x -= t.x;
    stored.y -= t.y;
  }

  if (!stencil) return;
  RenderState& state = context->GetCurrentState();
  if (state.isStencilActive) {
    SetStencil(stencil->CreateStencilCopy());
  } else {
    SetStencil(stencil);
    state.isStencilActive = true;
  }
}

void LRenderer::SetClipRect(const RectT<double>& clip) {
  if (RenderState* state = CurrentState()) state->clipRect = clip;
}

void LRenderer::Translate(const PointT<double>& by) {
  if (RenderState* state = CurrentState()) state->translation += by;
}

}  // namespace HV
