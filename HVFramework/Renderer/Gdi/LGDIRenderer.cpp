#include "HVFramework/Renderer/Gdi/LGDIRenderer.h"

#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Platform/Core/Clock.h"
#include "HVFramework/Platform/2D/Graphics2D.h"
#include "HVFramework/Platform/2D/PlatformWindow.h"
#include "HVFramework/Renderer/LFont.h"
#include "HVFramework/Utilities/Graphics/BitmapImage.h"
#include "HVFramework/Utilities/Graphics/LBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

namespace HV {
namespace {

constexpr uint32_t kPurgePeriodMs = 300000;              // five minutes
constexpr double kCoordinateLimit = 4503599627370496.0;  // 2^52
constexpr float kUnitScaleTolerance = 1.1920929e-6f;

double Limit(double v) { return std::clamp(v, -kCoordinateLimit, kCoordinateLimit); }

PointT<double> LimitPoint(const PointT<float>& p) { return {Limit(p.x), Limit(p.y)}; }

}  // namespace

LGDIRenderer::LGDIRenderer() : mLastPurge(Platform::GetTickCount()) {}

uint32_t LGDIRenderer::BucketOf(const CachedBitmapKey& key) {
  const size_t hash = std::hash<const void*>()(key.bitmap.Get()) ^ (size_t(uint32_t(key.width)) * 31u) ^
                      (size_t(uint32_t(key.height)) * 131u) ^ size_t(key.resize);
  return static_cast<uint32_t>(hash >> 4);
}

LGDIRenderContextInfo* LGDIRenderer::CurrentGdiContext() const {
  return dynamic_cast<LGDIRenderContextInfo*>(GetCurrentContext());
}

Platform::Graphics2D* LGDIRenderer::Graphics() const {
  LGDIRenderContextInfo* context = CurrentGdiContext();
  return context ? context->GetGraphics() : nullptr;
}

Platform::Font2D* LGDIRenderer::FontFor(const LFont& font) {
  // Text comes in runs of one font: the last answer is kept by the font's ID.
  if (mLastFont && mLastFontID == font.GetUniqueID()) return mLastFont;
  mLastFont = FindFont(font);
  mLastFontID = font.GetUniqueID();
  return mLastFont;
}

Platform::Font2D* LGDIRenderer::FindFont(const LFont& font) {
  // The name, then the bits of the size and the style, as one key.
  std::u16string key(font.GetName().ToLower().GetView());
  const float size = font.GetSize();
  const int32_t style = font.GetStyle();
  char16_t tail[4];
  std::memcpy(tail, &size, sizeof size);
  std::memcpy(tail + 2, &style, sizeof style);
  key.append(tail, 4);
  RCPtr<Platform::Font2D>& slot = mFonts[key];
  if (slot) return slot.Get();
  // Sizes are points at 96 dots per inch.
  const float emPixels = font.GetSize() * 96.0f / 72.0f * mDpiScale;
  Platform::Status2D status;
  slot =
      Platform::Font2D::Create(Platform::ToUtf8(font.GetName().GetView()), emPixels, font.GetStyle(), status);
  if (!slot) slot = Platform::Font2D::CreateSansSerif(emPixels, font.GetStyle(), status);
  if (!slot) {
    mFonts.erase(key);
    return nullptr;
  }
  return slot.Get();
}

HResult LGDIRenderer::GetFontMetrics(const RCPtr<LFont>& font, int32_t& height, int32_t& ascent,
                                     int32_t& descent) {
  Platform::Font2D* face = font ? FontFor(*font) : nullptr;
  if (!face) return E_FAIL;
  const Platform::FontFamilyMetrics& m = face->GetFamilyMetrics();
  const double size = font->GetSize();
  const double em = m.unitsPerEm;
  // The line height at 72 dpi scaled to 96, the cell ascent and descent
  // scaled to pixels, each nudged by 0.499 away from zero, then rounded.
  const double height72 = m.lineSpacing * size / em;
  height = RoundToInt32(height72 * 96.0 / 72.0 + 0.499);
  ascent = RoundToInt32(-(m.cellAscent * size * 96.0) / (em * 72.0) - 0.499);
  descent = RoundToInt32(m.cellDescent * size * 96.0 / (em * 72.0) + 0.499);
  return S_OK;
}

RectT<float> LGDIRenderer::MeasureText(const StringW& text, const RCPtr<LFont>& font) {
  if (text.IsEmpty() || !font) return {};
  Platform::Font2D* face = FontFor(*font);
  int32_t height = 0, ascent = 0, descent = 0;
  if (!face || GetFontMetrics(font, height, ascent, descent) != S_OK) return {};
  double right = face->MeasureString(text.GetView());
  if (mScreenDpi != 96) right = 9600.0 / mScreenDpi * right / 100.0;
  int32_t width = static_cast<int32_t>(right + 0.9999);
  if (width > 0) width += kMeasuredTextMargin;
  return {0, float(ascent), float(width), float(height)};
}

HResult LGDIRenderer::InitRenderContextInfo(const RectT<int32_t>& viewport, WindowHandle window,
                                            bool isOffscreen, RCPtr<LRenderContextInfo>& out) {
  RCPtr<LGDIRenderContextInfo> context = LGDIRenderContextInfo::Create(viewport, window, isOffscreen);
  if (!context) return E_FAIL;
  out = context;
  return S_OK;
}

HResult LGDIRenderer::RenderStart(const RCPtr<LRenderContextInfo>& context) {
  LRenderer::RenderStart(context);
  LGDIRenderContextInfo* current = CurrentGdiContext();
  if (!current) return S_OK;
  const RectT<int32_t>& viewport = current->GetViewport();
  const Platform::Surface2D& surface = current->GetDrawingSurface();
  const bool isResized = surface.GetWidth() != std::max(viewport.width, 1) ||
                         surface.GetHeight() != std::max(viewport.height, 1);
  std::vector<RectT<int32_t>> update;
  current->GetUpdateRegion().ToRectArray(update);
  const bool isWholeUpdate =
      update.size() == 1 && update[0] == RectT<int32_t>{0, 0, viewport.width, viewport.height};
  if (isResized || isWholeUpdate) current->RemakeSurfaces();
  mDpiScale = 1.0f;  // surfaces are always 96 dots per inch
  current->BeginGraphics();
  return S_OK;
}

HResult LGDIRenderer::RenderFinish(const RCPtr<LRenderContextInfo>& context) {
  LGDIRenderContextInfo* current = CurrentGdiContext();
  if (current && current == context.Get()) {
    if (Platform::Graphics2D* g = current->GetGraphics()) g->Flush();
    PlatformWindow* window = current->GetWindowHandle();
    if (!current->IsOffscreen() && window && window->presenter) {
      std::vector<RectT<int32_t>> rects;
      current->GetUpdateRegion().ToRectArray(rects);
      std::reverse(rects.begin(), rects.end());  // presented from the last to the first
      const Platform::Surface2D& surface = current->GetDrawingSurface();
      window->presenter->Present(
          {surface.GetPixels(), surface.GetWidth(), surface.GetHeight(), surface.GetStride()}, rects);
    }
    current->EndGraphics();
  }
  LRenderer::RenderFinish(context);
  PurgeWhenDue();
  return S_OK;
}

void LGDIRenderer::PurgeWhenDue() {
  const uint32_t now = Platform::GetTickCount();
  if (now - mLastPurge <= kPurgePeriodMs) return;
  mBitmapCache.PurgeSinceLastMark();
  mLastPurge = now;
}

void LGDIRenderer::DrawText(const StringW& text, const RCPtr<LFont>& font, const PointT<int32_t>& position,
                            const Color& color) {
  Platform::Graphics2D* g = Graphics();
  Platform::Font2D* face = (g && font) ? FontFor(*font) : nullptr;
  if (!face) return;
  g->DrawString(*face, text.GetView(), {double(position.x), double(position.y) - 1}, color.ToARGB());
}

void LGDIRenderer::DrawRect(const RectT<int32_t>& rect, const Color& color, float lineWidth) {
  if (Platform::Graphics2D* g = Graphics()) g->DrawRectangle(color.ToARGB(), lineWidth, rect);
}

void LGDIRenderer::FillRect(const RectT<int32_t>& rect, const Color& color, bool shouldBlend) {
  Platform::Graphics2D* g = Graphics();
  if (!g) return;
  if (shouldBlend)
    g->FillRectangle(color.ToARGB(),
                     {double(rect.x), double(rect.y), double(rect.width), double(rect.height)});
  else
    g->SetPixels(rect, color.ToARGB());
}

void LGDIRenderer::DrawColorRectList(ColorRectListT<float>& list, const PointT<double>& offset, bool) {
  if (!Graphics()) return;
  Translate(offset);
  const PointT<float>& scale = list.GetScale();
  const auto& items = list.GetItems();
  for (size_t i = items.size(); i-- > 0;) {
    const RectT<float>& r = items[i].rect;
    const RectT<double> scaled{double(r.x) * scale.x, double(r.y) * scale.y, double(r.width) * scale.x,
                               double(r.height) * scale.y};
    Color color;
    color.SetARGB(items[i].argb);
    FillRect(scaled.Round(), color, true);
  }
  Translate({-offset.x, -offset.y});
}

void LGDIRenderer::DrawLine(const PointT<float>& from, const PointT<float>& to, const Color& color,
                            float lineWidth) {
  if (Platform::Graphics2D* g = Graphics()) g->DrawLine(color.ToARGB(), lineWidth, from, to);
}

void LGDIRenderer::DrawShape(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                             const PointT<float>& scale, PathKind kind) {
  Platform::Graphics2D* g = Graphics();
  if (!g) return;
  RCPtr<LGraphicsPath>& slot = mPathCache.GetEntry(line.GetHandle(), false);
  if (line.IsChanged()) {
    line.SetChanged(false);
    slot = nullptr;
  }
  if (!slot) {
    slot = RCPtr<LGraphicsPath>(new LGraphicsPath);
    const std::vector<PointT<float>>& points = line.GetPoints();
    switch (kind) {
      case PathKind::LineList:
        for (size_t i = 0; i + 1 < points.size(); i += 2) slot->path.AddLine(points[i], points[i + 1]);
        break;
      case PathKind::LineStrip:
        slot->path.AddLines(points);
        break;
      case PathKind::PolygonOutline:
      case PathKind::FilledPolygon:
        slot->path.AddPolygon(points);
        break;
    }
  }
  // Held while drawing: the slot may be reused by a nested lookup.
  const RCPtr<LGraphicsPath> path = slot;
  const PointT<double> shift = LimitPoint(offset);
  const bool isUnitScale =
      std::fabs(scale.x - 1.0f) <= kUnitScaleTolerance && std::fabs(scale.y - 1.0f) <= kUnitScaleTolerance;
  const PointT<float> used = isUnitScale ? PointT<float>{1, 1} : scale;
  Translate(shift);
  if (kind == PathKind::FilledPolygon)
    g->FillPath(color.ToARGB(), path->path, used);
  else
    g->DrawPath(color.ToARGB(), line.GetLineWidth(), path->path, used);
  Translate({-shift.x, -shift.y});
}

void LGDIRenderer::DrawLineList(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                                const PointT<float>& scale, bool) {
  DrawShape(line, color, offset, scale, PathKind::LineList);
}

void LGDIRenderer::DrawLineStrip(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                                 const PointT<float>& scale, bool) {
  DrawShape(line, color, offset, scale, PathKind::LineStrip);
}

void LGDIRenderer::DrawPolygonOutline(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                                      const PointT<float>& scale, bool) {
  DrawShape(line, color, offset, scale, PathKind::PolygonOutline);
}

void LGDIRenderer::FillPolygon(PolylineT<float>& line, const Color& color, const PointT<float>& offset,
                               const PointT<float>& scale, bool) {
  DrawShape(line, color, offset, scale, PathKind::FilledPolygon);
}

RCPtr<Platform::Surface2D> LGDIRenderer::BuildCachedBitmap(const LBitmap& bitmap, int32_t width,
                                                           int32_t height, ResizeType resize) {
  BitmapImage* image = bitmap.GetGdiplusBitmap();
  BitmapImage::LockRecord lock;
  if (!image || !image->LockBits(bitmap.GetRect(), lock)) return nullptr;
  RCPtr<Platform::Surface2D> source =
      Platform::Surface2D::CreateFromStraight(lock.scan0, lock.width, lock.height, lock.stride);
  image->UnlockBits();
  RCPtr<Platform::Surface2D> picture = Platform::Surface2D::Create(width, height);
  if (!source || !picture) return nullptr;

  Platform::Graphics2D g(*picture);
  g.SetImageFilter(Platform::Graphics2D::Filter::Bilinear);
  const int32_t sw = source->GetWidth();
  const int32_t sh = source->GetHeight();
  const RectT<int32_t> whole{0, 0, sw, sh};
  if ((sw == width && sh == height) || resize == ResizeType::Stretch)
    g.DrawImage(*source, whole, {0, 0, double(width), double(height)});
  else if (resize == ResizeType::Tile)
    TileBitmap(g, *source, width, height, mTileMethod);
  else
    g.DrawImageAt(*source, whole, {(width - sw) * 0.5, (height - sh) * 0.5});
  ++mCachedBitmapBuilds;
  return picture;
}

void LGDIRenderer::DrawBitmap(const RCPtr<LBitmap>& bitmap, const RectT<int32_t>& destination,
                              ResizeType resize) {
  Platform::Graphics2D* g = Graphics();
  if (!g) Throw<std::runtime_error>(HV_HERE("HV::LGDIRenderer::DrawBitmap"));
  if (resize != ResizeType::Stretch && resize != ResizeType::Tile && resize != ResizeType::Center)
    Throw<std::invalid_argument>("Invalid ResizeType passed to DrawBitmap.",
                                 HV_HERE("HV::LGDIRenderer::DrawBitmap"));
  if (!bitmap || destination.width <= 0 || destination.height <= 0) return;

  RCPtr<LCachedBitmap>& slot =
      mBitmapCache.GetEntry({bitmap, destination.width, destination.height, resize}, false);
  if (!slot) {
    RCPtr<Platform::Surface2D> picture =
        BuildCachedBitmap(*bitmap, destination.width, destination.height, resize);
    if (!picture) return;
    slot = RCPtr<LCachedBitmap>(new LCachedBitmap(picture));
  }
  const Platform::Surface2D& picture = *slot->GetPicture();
  g->DrawImageAt(picture, {0, 0, picture.GetWidth(), picture.GetHeight()},
                 {double(destination.x), double(destination.y)});
}

namespace {

LGDIRenderContextInfo* OffscreenContext(const RCPtr<LRenderContextInfo>& context) {
  if (!context || !context->IsOffscreen()) return nullptr;
  return dynamic_cast<LGDIRenderContextInfo*>(context.Get());
}

}  // namespace

HResult LGDIRenderer::DrawSurface(const RCPtr<LRenderContextInfo>& surface, const PointT<int32_t>& position,
                                  const RectT<int32_t>& source) {
  LGDIRenderContextInfo* from = OffscreenContext(surface);
  if (!from) return E_INVALIDARG;
  Platform::Graphics2D* g = Graphics();
  if (!g) return E_FAIL;
  const Platform::Status2D before = g->GetLastStatus();
  g->DrawImageAt(from->GetDrawingSurface(), source, {double(position.x), double(position.y)});
  return g->GetLastStatus() == before || g->GetLastStatus() == Platform::Status2D::Ok ? S_OK : E_FAIL;
}

HResult LGDIRenderer::BlitSurface(const RCPtr<LRenderContextInfo>& surface, const PointT<int32_t>& position) {
  LGDIRenderContextInfo* context = OffscreenContext(surface);
  if (!context) return E_INVALIDARG;
  if (context->GetGraphics()) context->GetGraphics()->Flush();
  const RCPtr<Platform::Surface2D> previous(&context->GetDrawingSurface());
  context->SwapSurfaces();
  Platform::Graphics2D g(context->GetDrawingSurface());
  g.Clear(0);
  g.DrawImageAt(*previous, {0, 0, previous->GetWidth(), previous->GetHeight()},
                {double(position.x), double(position.y)});
  g.Flush();
  const bool isOk = g.GetLastStatus() == Platform::Status2D::Ok;
  // A context being drawn goes on drawing into its new drawing surface.
  if (context->GetGraphics()) context->BeginGraphics();
  return isOk ? S_OK : E_FAIL;
}

void LGDIRenderer::SetClipRect(const RectT<double>& clip) {
  LRenderer::SetClipRect(clip);
  if (Platform::Graphics2D* g = Graphics()) g->SetClip(GetCurrentContext()->GetCurrentState().clipRect);
}

void LGDIRenderer::Translate(const PointT<double>& by) {
  LRenderer::Translate(by);
  if (Platform::Graphics2D* g = Graphics())
    g->SetTranslation(GetCurrentContext()->GetCurrentState().translation);
}

}  // namespace HV
