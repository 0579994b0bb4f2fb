#include "HVFramework/Renderer/OpenGL/LGLRenderer.h"

#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Platform/Core/Clock.h"
#include "HVFramework/Renderer/OpenGL/CGLPolygon.h"
#include "HVFramework/Renderer/OpenGL/GLErrors.h"
#include "HVFramework/Renderer/OpenGL/LGLRenderContextInfo.h"
#include "HVFramework/Renderer/RendererSetupErrors.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

namespace HV {

namespace {

void SetColor(const Color& color) { glColor4f(color.r, color.g, color.b, color.a); }

RectT<double> Snapped(const RectT<int32_t>& rect) {
  RectT<double> r{double(rect.x), double(rect.y), double(rect.width), double(rect.height)};
  r.SnapToPixels();
  return r;
}

// Scissor values stay within what GL takes as sizes.
GLint ClampToGLInt(double value) {
  return static_cast<GLint>(std::clamp(value, -1073741824.0, 1073741824.0));
}

}  // namespace

RCPtr<LGLRenderer> LGLRenderer::Create(WindowHandle window, const RCPtr<LFontRenderer>& fontRenderer) {
  std::unique_ptr<Platform::IGLContext> context = Platform::CreateGLContext(window);
  if (!context) {
    ReportRendererSetupError(u"GL_ERROR_MESSAGE_CREATE_CONTEXT");
    Throw<std::runtime_error>("wglCreateContext failed.", HV_HERE("HV::LGLRenderer::LGLRenderer"));
  }
  return RCPtr<LGLRenderer>(new LGLRenderer(std::move(context), fontRenderer));
}

LGLRenderer::LGLRenderer(std::unique_ptr<Platform::IGLContext> context,
                         const RCPtr<LFontRenderer>& fontRenderer)
    : mFontRenderer(fontRenderer),
      mContext(std::move(context)),
      mPixelFormat(mContext->GetPixelFormat()),
      mLastPurge(Platform::GetTickCount()) {}

LGLRenderer::~LGLRenderer() {
  // Cached textures and lists delete their GL names: the context must be
  // current while they go.
  if (mContext->MakeCurrent(1, 1)) {
    mFontRenderer = nullptr;
    for (ShapeCache* cache : {&mFilledPolygons, &mPolygonOutlines, &mLineLists, &mLineStrips})
      cache->PurgeUnused(cache->GetClock() + 1);
    mColorRectLists.PurgeUnused(mColorRectLists.GetClock() + 1);
    mBitmapTextures.PurgeUnused(mBitmapTextures.GetClock() + 1);
    mSecondTextures.PurgeUnused(mSecondTextures.GetClock() + 1);
    mContext->ReleaseCurrent();
  }
}

FontKey LGLRenderer::KeyOf(const LFont& font) {
  const auto id = static_cast<int32_t>(font.GetUniqueID() & 0x7fffffffu);
  return FontKey{font.GetName(), font.GetSize(), font.GetStyle(), -id};
}

bool LGLRenderer::FontKeyFor(const RCPtr<LFont>& font, FontKey& key) {
  if (!font) return false;
  key = KeyOf(*font);
  return true;
}

HResult LGLRenderer::GetFontMetrics(const RCPtr<LFont>& font, int32_t& height, int32_t& ascent,
                                    int32_t& descent) {
  FontKey key;
  if (!mFontRenderer || !FontKeyFor(font, key)) return E_FAIL;
  return mFontRenderer->GetFontMetrics(key, height, ascent, descent);
}

RectT<float> LGLRenderer::MeasureText(const StringW& text, const RCPtr<LFont>& font) {
  FontKey key;
  if (!FontKeyFor(font, key)) return {};
  return MeasureTextWithKey(text, key);
}

RectT<float> LGLRenderer::MeasureTextWithKey(const StringW& text, const FontKey& font) {
  return mFontRenderer ? mFontRenderer->MeasureText(text, font) : RectT<float>{};
}

const uint8_t* LGLRenderer::GetOffscreenPixels(int& width, int& height) const {
  return mContext->GetOffscreenPixels(width, height);
}

HResult LGLRenderer::ReadPixels(const RectT<int32_t>& rect, std::vector<uint8_t>& bgra) {
  if (GetContextDepth() > 0 || rect.width <= 0 || rect.height <= 0 || rect.x < 0 || rect.y < 0) return E_FAIL;
  if (!mContext->MakeCurrent(rect.x + rect.width, rect.y + rect.height)) return E_FAIL;
  GLint viewport[4] = {0, 0, 0, 0}, readBuffer = 0;
  glGetIntegerv(GL_VIEWPORT, viewport);
  glGetIntegerv(GL_READ_BUFFER, &readBuffer);
  // Double-buffered windows show their front buffer; others have one buffer.
  if (mPixelFormat.isDoubleBuffered) glReadBuffer(GL_FRONT);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  const size_t rowBytes = static_cast<size_t>(rect.width) * 4;
  std::vector<uint8_t> bottomUp(rowBytes * rect.height);
  // Frames draw into the last viewport set, whose rows GL counts from the bottom.
  glReadPixels(viewport[0] + rect.x, viewport[1] + viewport[3] - rect.y - rect.height, rect.width,
               rect.height, GL_BGRA, GL_UNSIGNED_BYTE, bottomUp.data());
  const bool failed = glGetError() != GL_NO_ERROR;
  glReadBuffer(static_cast<GLenum>(readBuffer));
  DrainGLErrors();
  mContext->ReleaseCurrent();
  if (failed) return E_FAIL;
  bgra.resize(bottomUp.size());
  for (int32_t row = 0; row < rect.height; ++row)
    std::copy_n(&bottomUp[(rect.height - 1 - row) * rowBytes], rowBytes, &bgra[row * rowBytes]);
  return S_OK;
}

bool LGLRenderer::MakeCurrentFor(const LRenderContextInfo& context) {
  const RectT<int32_t>& viewport = context.GetViewport();
  return mContext->MakeCurrent(viewport.x + viewport.width, viewport.y + viewport.height);
}

HResult LGLRenderer::InitRenderContextInfo(const RectT<int32_t>& viewport, WindowHandle window,
                                           bool isOffscreen, RCPtr<LRenderContextInfo>& out) {
  // Inside a frame the context is current and set up already: making it
  // current again or resetting its state would break the frame being drawn.
  const bool isInFrame = GetContextDepth() > 0;
  if (!isInFrame && !mContext->MakeCurrent(viewport.x + viewport.width, viewport.y + viewport.height)) {
    ReportRendererSetupError(u"GL_ERROR_MESSAGE_SET_PIXEL_FORMAT");
    Throw<std::runtime_error>("SetPixelFormat failed.", HV_HERE("HV::LGLRenderer::InitRenderContextInfo"));
  }
  GLint dims[2] = {0, 0};
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, dims);
  out = LGLRenderContextInfo::Create(viewport, window, isOffscreen, {dims[0], dims[1]});
  if (isInFrame) return S_OK;
  ApplyDefaultState();
  DrainGLErrors();
  mContext->ReleaseCurrent();  // current inside frames only
  return S_OK;
}

void LGLRenderer::ApplyDefaultState() {
  glClearColor(0, 0, 0, 0);
  glColor4f(1, 1, 1, 1);
  glDisable(GL_LIGHTING);
  glDisable(GL_DITHER);
  glDisable(GL_DEPTH_TEST);
  glShadeModel(GL_SMOOTH);
  glDisable(GL_CULL_FACE);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.003921569f);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glEnable(GL_POINT_SMOOTH);
  glEnable(GL_LINE_SMOOTH);
  glDisable(GL_POLYGON_SMOOTH);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_SCISSOR_TEST);
}

HResult LGLRenderer::SetViewport(const RectT<int32_t>& viewport) {
  LRenderer::SetViewport(viewport);
  glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
  GLint actual[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, actual);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, actual[2], actual[3], 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  return S_OK;
}

HResult LGLRenderer::RenderStart(const RCPtr<LRenderContextInfo>& context) {
  LRenderer::RenderStart(context);
  if (!MakeCurrentFor(*context)) {
    LRenderer::RenderFinish(context);
    Throw<std::runtime_error>("wglMakeCurrent failed.", HV_HERE("HV::LGLRenderer::RenderStart"));
  }
  SetViewport(context->GetViewport());
  if (context->IsOffscreen()) SaveUnderSurface(context->GetViewport());
  glPushMatrix();
  // One GL context serves every target: the model-view and the scissor
  // follow this context's own state, not the last frame's.
  const RenderState& state = context->GetCurrentState();
  glLoadIdentity();
  glTranslated(state.translation.x, state.translation.y, 0);
  ApplyScissor(state.clipRect);
  return S_OK;
}

HResult LGLRenderer::RenderFinish(const RCPtr<LRenderContextInfo>& context) {
  if (!context || GetCurrentContext() != context.Get()) return LRenderer::RenderFinish(context);  // throws
  DrainGLErrors();
  glPopMatrix();
  if (auto* surface = dynamic_cast<LGLRenderContextInfo*>(context.Get()); surface && surface->IsOffscreen()) {
    const RectT<int32_t>& viewport = surface->GetViewport();
    RCPtr<LGLTexture> texture =
        surface->GetSurfaceTexture() ? surface->GetSurfaceTexture() : LGLTexture::Make();
    if (texture->CopyFromFramebuffer(viewport.x, viewport.y, viewport.width, viewport.height) == S_OK)
      surface->SetSurfaceTexture(texture);
    RestoreUnderSurface(viewport);
  }
  if (context->IsOffscreen() || !mPixelFormat.isDoubleBuffered) {
    glFlush();
  } else if (mPixelFormat.isSwapCopy) {
    mContext->SwapBuffers();
  } else {
    glFlush();
    CopyBackToFront();
  }
  DrainGLErrors();
  mContext->ReleaseCurrent();
  LRenderer::RenderFinish(context);

  if (LRenderContextInfo* outer = GetCurrentContext()) {
    // A surface finished inside a window's frame: the window goes on drawing.
    MakeCurrentFor(*outer);
    SetViewport(outer->GetViewport());
    ApplyScissor(outer->GetCurrentState().clipRect);
  } else if (Platform::GetTickCount() - mLastPurge > kPurgePeriodMs) {
    mLastPurge = Platform::GetTickCount();
    if (mContext->MakeCurrent(1, 1)) {
      PurgeCaches();
      mContext->ReleaseCurrent();
    }
  }
  return S_OK;
}

void LGLRenderer::PurgeCaches() {
  for (ShapeCache* cache : {&mFilledPolygons, &mPolygonOutlines, &mLineLists, &mLineStrips})
    cache->PurgeSinceLastMark();
  mColorRectLists.PurgeSinceLastMark();
  mBitmapTextures.PurgeSinceLastMark();
  mSecondTextures.PurgeSinceLastMark();
}

void LGLRenderer::CopyBackToFront() {
  GLint readBuffer = 0, drawBuffer = 0, logicOp = 0, viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_READ_BUFFER, &readBuffer);
  glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
  glGetIntegerv(GL_LOGIC_OP_MODE, &logicOp);
  glReadBuffer(GL_BACK);
  glDrawBuffer(GL_FRONT);
  glGetIntegerv(GL_VIEWPORT, viewport);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluOrtho2D(0, viewport[2], 0, viewport[3]);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glPushAttrib(GL_CURRENT_BIT | GL_SCISSOR_BIT | GL_ENABLE_BIT);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glRasterPos4d(0, 0, 0, 1);
  glLogicOp(GL_COPY);
  glCopyPixels(0, 0, viewport[2], viewport[3], GL_COLOR);
  DrainGLErrors();
  glPopAttrib();
  glLogicOp(static_cast<GLenum>(logicOp));
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glReadBuffer(static_cast<GLenum>(readBuffer));
  glDrawBuffer(static_cast<GLenum>(drawBuffer));
  glFinish();
  DrainGLErrors();
}

void LGLRenderer::SaveUnderSurface(const RectT<int32_t>& viewport) {
  RCPtr<LGLTexture> saved = LGLTexture::Make();
  if (saved->CopyFromFramebuffer(viewport.x, viewport.y, viewport.width, viewport.height) != S_OK)
    saved = nullptr;
  mUnderSurfaces.push_back(saved);
}

void LGLRenderer::RestoreUnderSurface(const RectT<int32_t>& viewport) {
  if (mUnderSurfaces.empty()) return;
  const RCPtr<LGLTexture> saved = mUnderSurfaces.back();
  mUnderSurfaces.pop_back();
  if (!saved) return;
  // The saved pixels go back exactly: no blending, alpha test or clip.
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT | GL_CURRENT_BIT);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_SCISSOR_TEST);
  glColor4f(1, 1, 1, 1);
  glPushMatrix();
  glLoadIdentity();
  const float width = float(viewport.width), height = float(viewport.height);
  saved->Draw({0, height, width, 0}, {0, 0, width, height});  // rows were saved bottom first
  glPopMatrix();
  glPopAttrib();
  DrainGLErrors();
}

void LGLRenderer::ApplyScissor(const RectT<double>& clip) {
  const LRenderContextInfo* context = GetCurrentContext();
  if (!context) return;
  const RenderState& state = context->GetCurrentState();
  const RectT<int32_t>& viewport = context->GetViewport();
  double sx = RoundHalfAway(clip.x + state.translation.x);
  double sy = RoundHalfAway(viewport.height - (clip.y + state.translation.y + clip.height));
  double sw = RoundHalfAway(clip.width), sh = RoundHalfAway(clip.height);
  if (sx < 0) sw += sx, sx = 0;
  if (sy < 0) sh += sy, sy = 0;
  if (!(sw >= 1) || !(sh >= 1))
    glScissor(viewport.width, 0, 1, 1);  // one pixel outside the viewport: nothing is drawn
  else
    glScissor(ClampToGLInt(sx), ClampToGLInt(sy), ClampToGLInt(sw), ClampToGLInt(sh));
}

void LGLRenderer::SetClipRect(const RectT<double>& clip) {
  LRenderer::SetClipRect(clip);
  ApplyScissor(clip);
}

void LGLRenderer::Translate(const PointT<double>& by) {
  LRenderer::Translate(by);
  if (by.x != 0 || by.y != 0) glTranslatef(static_cast<float>(by.x), static_cast<float>(by.y), 0);
}

void LGLRenderer::DrawText(const StringW& text, const RCPtr<LFont>& font, const PointT<int32_t>& position,
                           const Color& color) {
  FontKey key;
  if (FontKeyFor(font, key)) DrawTextWithKey(text, key, position, color);
}

void LGLRenderer::DrawTextWithKey(const StringW& text, const FontKey& font, const PointT<int32_t>& position,
                                  const Color& color) {
  if (!mFontRenderer || text.IsEmpty()) return;
  SetColor(color);
  Translate({double(position.x), double(position.y)});
  mFontRenderer->RenderText(text, font, mFontRenderer->GetMeasuringProcessor(), 0, 0,
                            LGlyphProcessor::kDrawFlags);
  Translate({-double(position.x), -double(position.y)});
}

void LGLRenderer::DrawRect(const RectT<int32_t>& rect, const Color& color, float lineWidth) {
  glLineWidth(lineWidth);
  SetColor(color);
  const RectT<double> r = Snapped(rect);
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_LINE_STRIP);
  glVertex2d(r.x, r.y);
  glVertex2d(r.x + r.width, r.y);
  glVertex2d(r.x + r.width, r.y + r.height);
  glVertex2d(r.x, r.y + r.height);
  glVertex2d(r.x, r.y);
  glEnd();
}

void LGLRenderer::FillRectDirect(const RectT<int32_t>& rect, const Color& color) {
  SetColor(color);
  glDisable(GL_TEXTURE_2D);
  const RectT<double> r = Snapped(rect);
  glBegin(GL_QUADS);
  glVertex2d(r.x, r.y);
  glVertex2d(r.x, r.y + r.height);
  glVertex2d(r.x + r.width, r.y + r.height);
  glVertex2d(r.x + r.width, r.y);
  glEnd();
}

void LGLRenderer::FillRect(const RectT<int32_t>& rect, const Color& color, bool shouldBlend) {
  if (shouldBlend) return FillRectDirect(rect, color);
  const RenderState* state = CurrentState();
  if (!state) return;
  ApplyScissor({double(rect.x), double(rect.y), double(rect.width), double(rect.height)});
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  ApplyScissor(state->clipRect);
}

template <class Shape, class Cache>
void LGLRenderer::DrawCached(Shape& shape, Cache& cache, Cache* other, bool useCache,
                             const std::function<void()>& draw) {
  const bool changed = shape.IsChanged();
  shape.SetChanged(false);
  if (!useCache) {
    cache.Release(shape.GetHandle());
    if (other) other->Release(shape.GetHandle());
    draw();
    return;
  }
  if (changed && other) other->Release(shape.GetHandle());
  RCPtr<LGLDisplayList>& slot = cache.GetEntry(shape, changed);
  if (slot && slot->Call(0, 1) == S_OK) return;
  RCPtr<LGLDisplayList> list = LGLDisplayList::Make(1);
  if (list->Begin(0) != S_OK) {
    draw();  // no list to be had: draw directly
    return;
  }
  draw();
  list->End();
  list->Call(0, 1);
  slot = list;
}

void LGLRenderer::DrawColorRectList(ColorRectListT<float>& list, const PointT<double>& offset,
                                    bool useCache) {
  glPushMatrix();
  glTranslatef(static_cast<float>(offset.x), static_cast<float>(offset.y), 0);
  DrawCached(list, mColorRectLists, static_cast<RectListCache*>(nullptr), useCache, [&] {
    const auto& items = list.GetItems();
    const PointT<float>& scale = list.GetScale();
    for (auto item = items.rbegin(); item != items.rend(); ++item) {
      const RectT<float> r{item->rect.x * scale.x, item->rect.y * scale.y, item->rect.width * scale.x,
                           item->rect.height * scale.y};
      FillRectDirect(r.Round(), Color{}.SetARGB(item->argb));
    }
  });
  glPopMatrix();
}

void LGLRenderer::DrawLine(const PointT<float>& from, const PointT<float>& to, const Color& color,
                           float lineWidth) {
  glLineWidth(lineWidth);
  SetColor(color);
  glDisable(GL_TEXTURE_2D);
  glBegin(GL_LINES);
  glVertex2d(from.x, from.y);
  glVertex2d(to.x, to.y);
  glEnd();
}

void LGLRenderer::DrawPolyline(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                               const PointT<float>& scale, ShapeCache& cache, ShapeCache* other,
                               bool useCache, const std::function<void()>& draw) {
  glPushMatrix();
  glTranslatef(offset.x, offset.y, 0);
  glScalef(scale.x, scale.y, 1);
  glDisable(GL_TEXTURE_2D);
  SetColor(color);
  DrawCached(line, cache, other, useCache, draw);
  glPopMatrix();
}

namespace {
void DrawPointArray(const PolylineT<float>& line, GLenum mode) {
  if (line.GetCount() == 0) return;
  glLineWidth(line.GetLineWidth());
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, sizeof(PointT<float>), line.GetPoints().data());
  glDrawArrays(mode, 0, static_cast<GLsizei>(line.GetCount()));
  glDisableClientState(GL_VERTEX_ARRAY);
}
}  // namespace

void LGLRenderer::DrawLineList(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                               const PointT<float>& scale, bool useCache) {
  DrawPolyline(line, color, offset, scale, mLineLists, nullptr, useCache,
               [&] { DrawPointArray(line, GL_LINES); });
}

void LGLRenderer::DrawLineStrip(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                                const PointT<float>& scale, bool useCache) {
  DrawPolyline(line, color, offset, scale, mLineStrips, nullptr, useCache,
               [&] { DrawPointArray(line, GL_LINE_STRIP); });
}

void LGLRenderer::DrawPolygonOutline(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                                     const PointT<float>& scale, bool useCache) {
  glLineWidth(line.GetLineWidth());
  DrawPolyline(line, color, offset, scale, mPolygonOutlines, &mFilledPolygons, useCache, [&] {
    glBegin(GL_LINE_STRIP);
    for (const PointT<float>& p : line.GetPoints()) glVertex2f(p.x, p.y);
    glEnd();
  });
}

void LGLRenderer::FillPolygon(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                              const PointT<float>& scale, bool useCache) {
  DrawPolyline(line, color, offset, scale, mFilledPolygons, &mPolygonOutlines, useCache,
               [&] { CGLPolygon::Fill(line); });
}

void LGLRenderer::DrawTexturedQuad(const LGLTexture& texture, const RectT<int32_t>& source, double x,
                                   double y, double w, double h) {
  texture.Draw(
      {float(source.x), float(source.y), float(source.x + source.width), float(source.y + source.height)},
      {float(x), float(y), float(x + w), float(y + h)});
}

void LGLRenderer::DrawBitmap(const RCPtr<LBitmap>& bitmap, const RectT<int32_t>& destination,
                             ResizeType resize) {
  if (!bitmap) ThrowFailedResult(E_INVALIDARG, HV_HERE("HV::LGLRenderer::DrawBitmap"));
  const RectT<int32_t>& source = bitmap->GetRect();
  LBitmap* key = bitmap.Get();
  RCPtr<LGLTexture>& slot = mBitmapTextures.GetEntry(key, false);
  if (!slot || !slot->IsValid()) {
    RCPtr<LGLTexture> texture = LGLTexture::Make();
    RCPtr<LBitmap> root = bitmap->GetParent() ? bitmap->GetParent() : bitmap;
    if (Failed(texture->CreateFromBitmap(root))) return;
    slot = texture;
  }
  const LGLTexture& texture = *slot;
  glColor4f(1, 1, 1, 1);
  if (source.width == destination.width && source.height == destination.height) resize = ResizeType::Stretch;
  const double x = destination.x, y = destination.y, w = destination.width, h = destination.height;
  switch (resize) {
    case ResizeType::Stretch:
      DrawTexturedQuad(texture, source, x, y, w, h);
      break;
    case ResizeType::Tile:
      if (w <= 0 || source.width <= 0 || source.height <= 0) break;
      for (double column = x; column < x + w; column += source.width)
        for (double row = y; row < y + h; row += source.height)
          DrawTexturedQuad(texture, source, column, row, source.width, source.height);
      break;
    case ResizeType::Center:
      DrawTexturedQuad(texture, source, x + (destination.width - source.width) / 2,
                       y + (destination.height - source.height) / 2, source.width, source.height);
      break;
    default:
      Throw<std::logic_error>("Invalid ResizeType passed to DrawBitmap!",
                              HV_HERE("HV::LGLRenderer::DrawBitmap"));
  }
}

HResult LGLRenderer::DrawSurface(const RCPtr<LRenderContextInfo>& surface, const PointT<int32_t>& position,
                                 const RectT<int32_t>& source) {
  const RCPtr<LGLRenderContextInfo> glSurface = DynamicCast<LGLRenderContextInfo>(surface);
  if (!glSurface || !glSurface->IsOffscreen()) return E_INVALIDARG;
  const RCPtr<LGLTexture>& texture = glSurface->GetSurfaceTexture();
  if (!texture) return E_FAIL;
  glColor4f(1, 1, 1, 1);
  // The texture's rows run bottom-up: the source's top edge is height - y.
  const float height = texture->GetImageHeight();
  texture->Draw({float(source.x), height - float(source.y), float(source.x + source.width),
                 height - float(source.y + source.height)},
                {float(position.x), float(position.y), float(position.x + source.width),
                 float(position.y + source.height)});
  return S_OK;
}

HResult LGLRenderer::BlitSurface(const RCPtr<LRenderContextInfo>& surface, const PointT<int32_t>& position) {
  const RCPtr<LGLRenderContextInfo> glSurface = DynamicCast<LGLRenderContextInfo>(surface);
  if (!glSurface || !glSurface->IsOffscreen()) return E_INVALIDARG;
  const RCPtr<LGLTexture> texture = glSurface->GetSurfaceTexture();  // kept: the frame replaces it
  if (!texture) return E_FAIL;
  RenderStart(surface);
  const RectT<int32_t>& viewport = surface->GetViewport();
  PushChildRect({0, 0}, {0, 0, double(viewport.width), double(viewport.height)}, nullptr, true);
  glBlendFunc(GL_ONE, GL_ZERO);
  const float width = texture->GetImageWidth(), height = texture->GetImageHeight();
  texture->Draw({0, height, width, 0}, {float(position.x), float(position.y), float(position.x) + width,
                                        float(position.y) + height});
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  PopState();
  RenderFinish(surface);
  return S_OK;
}

}  // namespace HV
