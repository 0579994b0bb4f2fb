#pragma once

#include "HVFramework/Platform/2D/Status2D.h"
#include "HVFramework/Utilities/Geometry/PointT.h"
#include "HVFramework/Utilities/Geometry/RectT.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace HV::Platform {

class Font2D;
class Path2D;
class Surface2D;

// Graphics2D: drawing into one Surface2D, made fresh for each frame (or each
// piece of work) and dropped after it. Colours are straight 0xAARRGGBB
// values; the surface holds them premultiplied.
//
// Pixel rules: a pixel's centre lies at whole coordinates + 0.5 of the
// surface; strokes sit on pixel centres, so DrawRectangle(x, y, w, h) with a
// 1-pixel pen covers (w + 1) x (h + 1) pixels; fills cover [x, x + w) x
// [y, y + h). Paths are filled on the same pixel centres as they are
// stroked, so an outline meets its fill. Shapes are drawn without smoothing,
// text anti-aliased.
//
// The world transform is a translation. The clip is kept in device space: it
// is taken through the translation of the moment it is set and stays on those
// pixels when the translation changes later.
//
// A call that fails (bad arguments, the drawing library refusing) records its
// status in GetLastStatus and the next calls draw as usual. The owner keeps
// the surface alive while the object lives. One thread at a time.
class Graphics2D {
 public:
  enum class Filter { Nearest, Bilinear };
  enum class Direction { Horizontal, Vertical };

  explicit Graphics2D(Surface2D& target);
  ~Graphics2D();
  Graphics2D(const Graphics2D&) = delete;
  Graphics2D& operator=(const Graphics2D&) = delete;

  Status2D GetLastStatus() const { return mLastStatus; }
  Surface2D& GetTarget() const { return mTarget; }

  void SetTranslation(const PointT<double>& translation);
  const PointT<double>& GetTranslation() const { return mTranslation; }
  // rect in world coordinates; replaces the clip.
  void SetClip(const RectT<double>& rect);
  void ResetClip();
  // How images are sampled when drawn at another size (Nearest at first).
  void SetImageFilter(Filter filter) { mFilter = filter; }

  // Every pixel becomes argb, whatever the clip.
  void Clear(uint32_t argb);
  void DrawRectangle(uint32_t argb, float lineWidth, const RectT<int32_t>& rect);
  void FillRectangle(uint32_t argb, const RectT<double>& rect);
  void DrawLine(uint32_t argb, float lineWidth, const PointT<float>& from, const PointT<float>& to);
  // The path scaled by scale (about the world origin).
  void DrawPath(uint32_t argb, float lineWidth, const Path2D& path, const PointT<float>& scale);
  void FillPath(uint32_t argb, const Path2D& path, const PointT<float>& scale);

  // source's rectangle sourceRect drawn scaled into destination (source over).
  void DrawImage(const Surface2D& source, const RectT<int32_t>& sourceRect, const RectT<double>& destination);
  // source's rectangle sourceRect at its own size with its corner at position.
  void DrawImageAt(const Surface2D& source, const RectT<int32_t>& sourceRect, const PointT<double>& position);
  // destination filled with sourceRect repeated at its own size, starting at
  // destination's corner (a texture brush).
  void FillWithTexture(const Surface2D& source, const RectT<int32_t>& sourceRect,
                       const RectT<double>& destination);

  // rect filled with colours running from startArgb to endArgb across its
  // width (or down its height): a linear gradient brush.
  void FillLinearGradient(const RectT<double>& rect, uint32_t startArgb, uint32_t endArgb,
                          Direction direction);

  // Replaces the pixels of rect (surface coordinates) with argb: no
  // translation, no clip, no blending; the part outside the surface is left.
  void SetPixels(const RectT<int32_t>& rect, uint32_t argb);

  // text with the top of its line at (x, y): the first glyph starts after the
  // font's padding, the baseline lies the font's ascent below y.
  void DrawString(const Font2D& font, std::u16string_view text, const PointT<double>& position,
                  uint32_t argb);

  // Lets every drawing so far land in the surface's pixels.
  void Flush();

 private:
  struct Native;
  struct PatternFill {
    double scaleX, scaleY;  // source pixels per destination pixel
    bool isRepeated;
    bool isBilinear;
  };

  void FillWithImage(const Surface2D& source, const RectT<int32_t>& sourceRect,
                     const RectT<double>& destination, const PatternFill& fill);
  bool Check(bool isValid);
  void Restore();

  Surface2D& mTarget;
  std::unique_ptr<Native> mNative;
  Status2D mLastStatus = Status2D::Ok;
  PointT<double> mTranslation{0, 0};
  RectT<double> mDeviceClip{};
  bool mHasClip = false;
  Filter mFilter = Filter::Nearest;
};

}  // namespace HV::Platform
