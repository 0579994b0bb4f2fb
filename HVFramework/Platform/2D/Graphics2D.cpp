#include "HVFramework/Platform/2D/Graphics2D.h"

#include "HVFramework/Platform/2D/CairoNative.h"
#include "HVFramework/Platform/2D/Font2D.h"
#include "HVFramework/Platform/2D/Path2D.h"
#include "HVFramework/Platform/2D/Surface2D.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>

namespace HV::Platform {

namespace {

// Cairo keeps coordinates as 24.8 fixed-point numbers: anything beyond about
// +-8.4 million pixels wraps. Device coordinates are held well inside that.
constexpr double kCoordinateLimit = 4194304.0;

double ClampCoordinate(double v) { return std::clamp(v, -kCoordinateLimit, kCoordinateLimit); }

bool IsFinite(double v) { return std::isfinite(v); }
bool IsFiniteRect(const RectT<double>& r) {
  return IsFinite(r.x) && IsFinite(r.y) && IsFinite(r.width) && IsFinite(r.height);
}

// A usable scale: finite and not (nearly) zero, which would leave Cairo with
// a matrix it cannot invert.
bool IsUsableScale(double s) { return std::isfinite(s) && std::fabs(s) > 1e-9; }

void SetSource(cairo_t* cr, uint32_t argb) {
  cairo_set_source_rgba(cr, ((argb >> 16) & 0xFF) / 255.0, ((argb >> 8) & 0xFF) / 255.0,
                        (argb & 0xFF) / 255.0, (argb >> 24) / 255.0);
}

double PenWidth(float lineWidth) { return lineWidth > 0 ? lineWidth : 1.0; }

// A clamped rectangle in the current user space (the translation applied by Cairo).
void AddRectangle(cairo_t* cr, const PointT<double>& t, const RectT<double>& r) {
  const double left = ClampCoordinate(r.x + t.x) - t.x;
  const double top = ClampCoordinate(r.y + t.y) - t.y;
  const double right = ClampCoordinate(r.x + r.width + t.x) - t.x;
  const double bottom = ClampCoordinate(r.y + r.height + t.y) - t.y;
  cairo_rectangle(cr, left, top, right - left, bottom - top);
}

}  // namespace

struct Graphics2D::Native {
  cairo_t* cr = nullptr;
  ~Native() {
    if (cr) cairo_destroy(cr);
  }
};

Graphics2D::Graphics2D(Surface2D& target) : mTarget(target), mNative(std::make_unique<Native>()) {
  Restore();
}

Graphics2D::~Graphics2D() { Flush(); }

// A fresh Cairo context carrying this object's translation and clip: used at
// the start and whenever a context ends up in an error state.
void Graphics2D::Restore() {
  if (mNative->cr) cairo_destroy(mNative->cr);
  mNative->cr = cairo_create(mTarget.GetNative().surface);
  cairo_t* cr = mNative->cr;
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  if (mHasClip) {
    cairo_rectangle(cr, mDeviceClip.x, mDeviceClip.y, mDeviceClip.width, mDeviceClip.height);
    cairo_clip(cr);
  }
  cairo_translate(cr, mTranslation.x, mTranslation.y);
}

bool Graphics2D::Check(bool isValid) {
  if (!isValid) {
    mLastStatus = Status2D::InvalidParameter;
    return false;
  }
  if (cairo_status(mNative->cr) != CAIRO_STATUS_SUCCESS) {
    mLastStatus =
        cairo_status(mNative->cr) == CAIRO_STATUS_NO_MEMORY ? Status2D::OutOfMemory : Status2D::GenericError;
    Restore();
  }
  return true;
}

void Graphics2D::SetTranslation(const PointT<double>& translation) {
  if (!Check(IsFinite(translation.x) && IsFinite(translation.y))) return;
  mTranslation = {ClampCoordinate(translation.x), ClampCoordinate(translation.y)};
  cairo_identity_matrix(mNative->cr);
  cairo_translate(mNative->cr, mTranslation.x, mTranslation.y);
}

void Graphics2D::SetClip(const RectT<double>& rect) {
  if (!Check(IsFiniteRect(rect))) return;
  // Clamped to the surface and a pixel around it: that is all a clip can
  // touch, and it keeps huge "no clip" rectangles inside Cairo's range.
  RectT<double> device{rect.x + mTranslation.x, rect.y + mTranslation.y, rect.width, rect.height};
  if (device.width < 0) device.x += device.width, device.width = -device.width;
  if (device.height < 0) device.y += device.height, device.height = -device.height;
  device.Intersect({-1, -1, mTarget.GetWidth() + 2.0, mTarget.GetHeight() + 2.0});
  mDeviceClip = device;
  mHasClip = true;
  cairo_t* cr = mNative->cr;
  cairo_reset_clip(cr);
  cairo_identity_matrix(cr);
  cairo_rectangle(cr, device.x, device.y, device.width, device.height);
  cairo_clip(cr);
  cairo_translate(cr, mTranslation.x, mTranslation.y);
  Check(true);
}

void Graphics2D::ResetClip() {
  mHasClip = false;
  cairo_reset_clip(mNative->cr);
}

void Graphics2D::Clear(uint32_t argb) {
  cairo_t* cr = mNative->cr;
  cairo_save(cr);
  cairo_reset_clip(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  SetSource(cr, argb);
  cairo_paint(cr);
  cairo_restore(cr);
  Check(true);
}

void Graphics2D::DrawRectangle(uint32_t argb, float lineWidth, const RectT<int32_t>& rect) {
  if (!Check(std::isfinite(lineWidth) && rect.width >= 0 && rect.height >= 0)) return;
  cairo_t* cr = mNative->cr;
  cairo_save(cr);
  SetSource(cr, argb);
  cairo_set_line_width(cr, PenWidth(lineWidth));
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  AddRectangle(cr, {mTranslation.x + 0.5, mTranslation.y + 0.5},
               {rect.x + 0.5, rect.y + 0.5, double(rect.width), double(rect.height)});
  cairo_stroke(cr);
  cairo_restore(cr);
  Check(true);
}

void Graphics2D::FillRectangle(uint32_t argb, const RectT<double>& rect) {
  if (!Check(IsFiniteRect(rect))) return;
  if (rect.IsEmpty()) return;
  cairo_t* cr = mNative->cr;
  cairo_save(cr);
  SetSource(cr, argb);
  AddRectangle(cr, mTranslation, rect);
  cairo_fill(cr);
  cairo_restore(cr);
  Check(true);
}

void Graphics2D::DrawLine(uint32_t argb, float lineWidth, const PointT<float>& from,
                          const PointT<float>& to) {
  Path2D path;
  path.AddLine(from, to);
  DrawPath(argb, lineWidth, path, {1, 1});
}

void Graphics2D::DrawPath(uint32_t argb, float lineWidth, const Path2D& path, const PointT<float>& scale) {
  if (!Check(std::isfinite(lineWidth) && IsUsableScale(scale.x) && IsUsableScale(scale.y))) return;
  cairo_t* cr = mNative->cr;
  cairo_save(cr);
  SetSource(cr, argb);
  cairo_set_line_width(cr, PenWidth(lineWidth));
  for (const Path2D::Figure& figure : path.GetFigures()) {
    cairo_new_sub_path(cr);
    for (const PointT<float>& p : figure.points)
      cairo_line_to(cr, ClampCoordinate(p.x * double(scale.x) + mTranslation.x) - mTranslation.x + 0.5,
                    ClampCoordinate(p.y * double(scale.y) + mTranslation.y) - mTranslation.y + 0.5);
    if (figure.isClosed) cairo_close_path(cr);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  Check(true);
}

void Graphics2D::FillPath(uint32_t argb, const Path2D& path, const PointT<float>& scale) {
  if (!Check(IsUsableScale(scale.x) && IsUsableScale(scale.y))) return;
  cairo_t* cr = mNative->cr;
  cairo_save(cr);
  SetSource(cr, argb);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  for (const Path2D::Figure& figure : path.GetFigures()) {
    cairo_new_sub_path(cr);
    for (const PointT<float>& p : figure.points)
      cairo_line_to(cr, ClampCoordinate(p.x * double(scale.x) + mTranslation.x) - mTranslation.x + 0.5,
                    ClampCoordinate(p.y * double(scale.y) + mTranslation.y) - mTranslation.y + 0.5);
    cairo_close_path(cr);
  }
  cairo_fill(cr);
  cairo_restore(cr);
  Check(true);
}

namespace {

// The rectangle of source as a surface of its own, so sampling at its edges
// never reaches the pixels around it. Null for a rectangle outside source.
cairo_surface_t* SubSurface(const Surface2D& source, const RectT<int32_t>& r) {
  if (r.width <= 0 || r.height <= 0 || r.x < 0 || r.y < 0 || r.x > source.GetWidth() - r.width ||
      r.y > source.GetHeight() - r.height)
    return nullptr;
  return cairo_surface_create_for_rectangle(source.GetNative().surface, r.x, r.y, r.width, r.height);
}

}  // namespace

void Graphics2D::DrawImage(const Surface2D& source, const RectT<int32_t>& sourceRect,
                           const RectT<double>& destination) {
  const bool isValid =
      IsFiniteRect(destination) && IsUsableScale(destination.width) && IsUsableScale(destination.height);
  if (!Check(isValid)) return;
  PatternFill fill{sourceRect.width / destination.width, sourceRect.height / destination.height, false,
                   mFilter == Filter::Bilinear};
  FillWithImage(source, sourceRect, destination, fill);
}

void Graphics2D::DrawImageAt(const Surface2D& source, const RectT<int32_t>& sourceRect,
                             const PointT<double>& position) {
  DrawImage(source, sourceRect,
            {position.x, position.y, double(sourceRect.width), double(sourceRect.height)});
}

void Graphics2D::FillWithTexture(const Surface2D& source, const RectT<int32_t>& sourceRect,
                                 const RectT<double>& destination) {
  if (!Check(IsFiniteRect(destination))) return;
  if (destination.IsEmpty()) return;
  FillWithImage(source, sourceRect, destination, {1, 1, true, false});
}

// destination filled from sourceRect, its corner on destination's corner,
// scaled, and either repeated or with its edge pixels extended.
void Graphics2D::FillWithImage(const Surface2D& source, const RectT<int32_t>& sourceRect,
                               const RectT<double>& destination, const PatternFill& fill) {
  cairo_surface_t* sub = SubSurface(source, sourceRect);
  if (!Check(sub != nullptr)) return;
  cairo_t* cr = mNative->cr;
  cairo_save(cr);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(sub);
  cairo_matrix_t m;
  cairo_matrix_init_scale(&m, fill.scaleX, fill.scaleY);
  cairo_matrix_translate(&m, -destination.x, -destination.y);
  cairo_pattern_set_matrix(pattern, &m);
  cairo_pattern_set_extend(pattern, fill.isRepeated ? CAIRO_EXTEND_REPEAT : CAIRO_EXTEND_PAD);
  cairo_pattern_set_filter(pattern, fill.isBilinear ? CAIRO_FILTER_BILINEAR : CAIRO_FILTER_NEAREST);
  cairo_set_source(cr, pattern);
  AddRectangle(cr, mTranslation, destination);
  cairo_fill(cr);
  cairo_pattern_destroy(pattern);
  cairo_surface_destroy(sub);
  cairo_restore(cr);
  Check(true);
}

void Graphics2D::FillLinearGradient(const RectT<double>& rect, uint32_t startArgb, uint32_t endArgb,
                                    Direction direction) {
  if (!Check(IsFiniteRect(rect))) return;
  if (rect.IsEmpty()) return;
  cairo_t* cr = mNative->cr;
  cairo_save(cr);
  const bool isHorizontal = direction == Direction::Horizontal;
  cairo_pattern_t* pattern = cairo_pattern_create_linear(rect.x, rect.y, isHorizontal ? rect.Right() : rect.x,
                                                         isHorizontal ? rect.y : rect.Bottom());
  for (const auto& [offset, argb] : {std::pair{0.0, startArgb}, std::pair{1.0, endArgb}})
    cairo_pattern_add_color_stop_rgba(pattern, offset, ((argb >> 16) & 0xFF) / 255.0,
                                      ((argb >> 8) & 0xFF) / 255.0, (argb & 0xFF) / 255.0,
                                      (argb >> 24) / 255.0);
  cairo_set_source(cr, pattern);
  AddRectangle(cr, mTranslation, rect);
  cairo_fill(cr);
  cairo_pattern_destroy(pattern);
  cairo_restore(cr);
  Check(true);
}

void Graphics2D::SetPixels(const RectT<int32_t>& rect, uint32_t argb) {
  const int64_t left = std::max<int64_t>(rect.x, 0);
  const int64_t top = std::max<int64_t>(rect.y, 0);
  const int64_t right = std::min<int64_t>(int64_t(rect.x) + rect.width, mTarget.GetWidth());
  const int64_t bottom = std::min<int64_t>(int64_t(rect.y) + rect.height, mTarget.GetHeight());
  if (left >= right || top >= bottom) return;
  const uint32_t a = argb >> 24;
  uint32_t premultiplied = a << 24;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t t = ((argb >> shift) & 0xFF) * a + 128;
    premultiplied |= ((t + (t >> 8)) >> 8) << shift;
  }
  uint8_t* pixels = mTarget.LockBits();
  const int32_t stride = mTarget.GetStride();
  for (int64_t y = top; y < bottom; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(pixels + y * stride);
    std::fill(row + left, row + right, premultiplied);
  }
  mTarget.MarkChanged();
}

void Graphics2D::DrawString(const Font2D& font, std::u16string_view text, const PointT<double>& position,
                            uint32_t argb) {
  if (!Check(IsFinite(position.x) && IsFinite(position.y))) return;
  if (text.empty()) return;
  const std::string utf8 = ToUtf8(text);
  cairo_t* cr = mNative->cr;
  cairo_save(cr);
  cairo_set_scaled_font(cr, font.GetNative().scaled);
  SetSource(cr, argb);
  const double x = ClampCoordinate(position.x + mTranslation.x) - mTranslation.x;
  const double y = ClampCoordinate(position.y + mTranslation.y) - mTranslation.y;
  cairo_move_to(cr, x + font.GetPadding(), y + font.GetAscentPixels());
  cairo_show_text(cr, utf8.c_str());
  cairo_restore(cr);
  Check(true);
}

void Graphics2D::Flush() { cairo_surface_flush(mTarget.GetNative().surface); }

}  // namespace HV::Platform
