#include "HVFramework/ControlBase/Looks/LLook.h"

#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Renderer/LRenderContextInfo.h"
#include "HVFramework/Utilities/Geometry/Rounding.h"

#include <algorithm>
#include <limits>

namespace HV {
namespace {

// Pieces thinner than this are not drawn.
constexpr double kEmpty = 2.220446049250313e-16;  // 2^-52

int32_t ClampToInt32(int64_t v) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int32_t TruncateToInt32(float v) {
  constexpr float kLimit = 2147483520.0f;  // the largest float below 2^31
  return static_cast<int32_t>(std::clamp(v, -kLimit, kLimit));
}

RectT<double> ToDouble(const RectT<int32_t>& r) {
  return {double(r.x), double(r.y), double(r.width), double(r.height)};
}

// Pops what the constructor pushed, also when a part's Draw throws, so the
// renderer's state stack stays balanced.
class PushedChild {
 public:
  PushedChild(LRenderer& renderer, const PointT<double>& origin, const RectT<double>& clip,
              const RCPtr<LStencil>& stencil)
      : mRenderer(renderer) {
    mRenderer.PushChildRect(origin, clip, stencil, true);
  }
  ~PushedChild() { mRenderer.PopState(); }
  PushedChild(const PushedChild&) = delete;
  PushedChild& operator=(const PushedChild&) = delete;

 private:
  LRenderer& mRenderer;
};

// The clip of a piece in the coordinates of the child entered at origin.
RectT<double> RelativeTo(const RectT<double>& piece, const PointT<double>& origin) {
  return {piece.x - origin.x, piece.y - origin.y, piece.width, piece.height};
}

[[noreturn]] void ThrowTextFillError(const char* detail, int line) {
  Throw<std::domain_error>(detail, SourceLocation{"HV::LLook::DrawLabelText", "ControlBase\\Look", line});
}

}  // namespace

RCPtr<LLook> LLook::Create(const RCPtr<LLookDescriptor>& descriptor, bool shouldWrapText) {
  if (!descriptor) return nullptr;
  RCPtr<LLook> look(new LLook);
  look->SetDescriptor(descriptor, shouldWrapText);
  return look;
}

// --- Binding and sizing ---

HResult LLook::SetDescriptor(const RCPtr<LLookDescriptor>& descriptor, bool shouldWrapText) {
  if (descriptor != mDescriptor) mDescriptor = descriptor;
  const LLookDescriptor* d = mDescriptor.Get();
  const bool hasText = d && d->HasTextProperties();
  mForegroundPart = hasText ? GetVisualPart(d->GetTextForegroundPart()) : nullptr;
  BindText(hasText ? &d->GetTextProperties() : nullptr, shouldWrapText);
  mClientPart = d ? GetVisualPart(d->GetClientPart()) : nullptr;

  const uint32_t count = d ? d->GetNonClientParts().GetCount() : 0;
  mNonClientRects.assign(count, RectT<int32_t>{});
  mNonClientParts.assign(count, nullptr);
  for (uint32_t i = 0; i < count; ++i) mNonClientParts[i] = GetVisualPart(d->GetNonClientParts().GetAt(i));

  mNeedsRepaint = true;
  PlaceParts();
  UpdateClientStencil();
  return S_OK;
}

void LLook::BindText(const SkinTextProperties* text, bool shouldWrapText) {
  if (!text) {
    mTextPart = nullptr;
    return;
  }
  if (!mTextPart) {
    mTextPart = LFontText::Create(StringW(), nullptr);
    mTextArea = {};
  }
  mTextPart->SetWrap(shouldWrapText);
  mTextPart->SetEllipsis(mEllipsizesText && !shouldWrapText);
  mTextPart->SetAlignment(text->horizontalAlignment, text->verticalAlignment);
}

void LLook::SetTextEllipsis(bool shouldEllipsize) {
  mEllipsizesText = shouldEllipsize;
  if (mTextPart) mTextPart->SetEllipsis(shouldEllipsize && !mTextPart->ShouldWrap());
}

bool LLook::SetSize(int32_t width, int32_t height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == mWidth && height == mHeight) return true;
  mWidth = width;
  mHeight = height;
  PlaceParts();
  return UpdateClientStencil() >= 0;
}

void LLook::PlaceParts() {
  PlaceClientRect();
  PlaceNonClientParts();
  PlaceTextArea();
}

// The look's rectangle inset by the client part's offsets, kept inside the look.
void LLook::PlaceClientRect() {
  const LDockedPart* client = mDescriptor ? mDescriptor->GetClientPart().Get() : nullptr;
  const SkinPartPlacement offsets = client ? client->placement : SkinPartPlacement{};
  const int32_t x = std::clamp(offsets.left, 0, mWidth);
  const int32_t y = std::clamp(offsets.top, 0, mHeight);
  const int64_t width = int64_t{mWidth} - x + offsets.right;
  const int64_t height = int64_t{mHeight} - y + offsets.bottom;
  mClientRect = {x, y, static_cast<int32_t>(std::clamp<int64_t>(width, 0, mWidth - x)),
                 static_cast<int32_t>(std::clamp<int64_t>(height, 0, mHeight - y))};
}

namespace {

// One axis of a docked part: its start and end from the offsets given, its
// size filling in the missing edge, centred when neither edge is given.
struct Span {
  int64_t start;
  int64_t end;
};

Span PlaceSpan(bool hasStart, int32_t startOffset, bool hasEnd, int32_t endOffset, int32_t lookSize,
               int32_t size) {
  if (!hasStart && !hasEnd) {
    const int64_t start = (int64_t{lookSize} - size) / 2;  // truncated toward zero
    return {start, start + size};
  }
  const int64_t end = int64_t{lookSize} + endOffset;
  if (!hasStart) return {end - size, end};
  if (!hasEnd) return {startOffset, int64_t{startOffset} + size};
  return {startOffset, end};
}

}  // namespace

void LLook::PlaceNonClientParts() {
  if (!mDescriptor) return;
  const RCPtrArray<LDockedPart>& docked = mDescriptor->GetNonClientParts();
  for (uint32_t i = 0; i < docked.GetCount() && i < mNonClientRects.size(); ++i) {
    const LDockedPart& d = *docked.GetAt(i);
    const SkinPartPlacement& p = d.placement;
    const int32_t width = d.hasWidth ? d.width : (d.part ? d.part->width : 0);
    const int32_t height = d.hasHeight ? d.height : (d.part ? d.part->height : 0);
    const Span x = PlaceSpan(p.offsetFlags & SkinPartPlacement::kLeft, p.left,
                             p.offsetFlags & SkinPartPlacement::kRight, p.right, mWidth, width);
    const Span y = PlaceSpan(p.offsetFlags & SkinPartPlacement::kTop, p.top,
                             p.offsetFlags & SkinPartPlacement::kBottom, p.bottom, mHeight, height);
    mNonClientRects[i] = {ClampToInt32(x.start), ClampToInt32(y.start), ClampToInt32(x.end - x.start),
                          ClampToInt32(y.end - y.start)};
  }
}

void LLook::PlaceTextArea() {
  if (!mTextPart || !mDescriptor) return;
  const SkinTextProperties& t = mDescriptor->GetTextProperties();
  const float width = static_cast<float>(mWidth);
  const float height = static_cast<float>(mHeight);
  const float left = static_cast<float>(t.leftAbsolute) + t.leftRelative * width;
  const float right = static_cast<float>(t.rightAbsolute) + t.rightRelative * width;
  const float top = static_cast<float>(t.topAbsolute) + t.topRelative * height;
  const float bottom = static_cast<float>(t.bottomAbsolute) + t.bottomRelative * height;
  const RectT<float> area{left, top, right - left, bottom - top};
  if (!(area == mTextArea)) {
    mTextArea = area;
    mTextPart->SetBoxSize(area.width, area.height);
  }
  mTextPosition = {TruncateToInt32(left), TruncateToInt32(top)};
}

HResult LLook::UpdateClientStencil() {
  mStencilRect = mClientRect;
  mNeedsRepaint = true;
  mClientStencil = nullptr;  // the renderer's default: clip to the rectangle only
  // Parts drawn over the client area are made now, before the first paint.
  if (!mDescriptor) return S_OK;
  const RCPtrArray<LDockedPart>& docked = mDescriptor->GetNonClientParts();
  for (uint32_t i = 0; i < docked.GetCount() && i < mNonClientRects.size(); ++i) {
    RectT<int32_t> overlap = mNonClientRects[i];
    overlap.Intersect(mClientRect);
    if (!overlap.IsEmpty() && !mNonClientParts[i]) mNonClientParts[i] = GetVisualPart(docked.GetAt(i));
  }
  return S_OK;
}

// --- Text ---

int32_t LLook::SetText(const StringW& text) {
  if (!mTextPart) return 1;
  return mTextPart->SetText(text) ? 1 : 0;
}

int32_t LLook::SetFont(const RCPtr<LFont>& font) {
  if (!mTextPart) return 1;
  return mTextPart->SetFont(font) ? 1 : 0;
}

// --- Replacement image ---

int32_t LLook::SetBitmapPart(const RCPtr<LBitmap>& bitmap, ResizeType resize, bool replacesClient) {
  if (!bitmap) {
    if (!mImagePart) return 1;
    mImagePart = nullptr;
    return 0;
  }
  mImagePart =
      LVisualPart::Create(StringW(), bitmap, static_cast<int32_t>(resize), nullptr, 0, 0, 1.0f, nullptr);
  mImageReplacesClient = replacesClient;
  return 0;
}

// --- Drawing ---

LRectRegion LLook::GetEffectiveRegion(const LRenderer& renderer, const LRectRegion& updateRegion) const {
  if (mRegion.IsEmpty()) return updateRegion;
  const LRenderContextInfo* context = renderer.GetCurrentContext();
  const PointT<int32_t> origin = context ? context->GetOrigin().RoundToLong() : PointT<int32_t>{};
  LRectRegion region = mRegion;
  region.Offset(origin.x, origin.y);
  region.Intersect(updateRegion);
  region.Normalize();
  return region;
}

// Calls drawInside(piece) for every rectangle of the effective region cut to
// area (look coordinates), skipping pieces with nothing inside and pieces
// outside the renderer's clip.
template <class DrawInside>
void LLook::ForEachVisiblePiece(LRenderer& renderer, const LRectRegion& updateRegion,
                                const RectT<int32_t>& area, DrawInside drawInside) const {
  const LRenderContextInfo* context = renderer.GetCurrentContext();
  const PointT<double> origin = context ? context->GetOrigin() : PointT<double>{};
  const RectT<double> clip = context ? context->GetClipBounds() : RenderState{}.clipRect;
  std::vector<RectT<int32_t>> rects;
  GetEffectiveRegion(renderer, updateRegion).ToRectArray(rects);
  for (const RectT<int32_t>& r : rects) {
    RectT<double> piece{r.x - origin.x, r.y - origin.y, double(r.width), double(r.height)};
    piece.Intersect(ToDouble(area));
    if (!(piece.width > kEmpty) || !(piece.height > kEmpty)) continue;
    RectT<double> shown = piece;
    shown.Intersect(clip);
    if (!(shown.width > kEmpty) || !(shown.height > kEmpty)) continue;
    drawInside(piece);
  }
}

int32_t LLook::DrawNonClientParts(LRenderer& renderer, const LRectRegion& updateRegion) {
  bool anyFailed = false;
  for (size_t i = 0; i < mNonClientParts.size(); ++i) {
    const LVisualPart* part = mNonClientParts[i].Get();
    if (!part) continue;
    const RectT<int32_t>& rect = mNonClientRects[i];
    const PointT<double> origin{double(rect.x), double(rect.y)};
    ForEachVisiblePiece(renderer, updateRegion, rect, [&](const RectT<double>& piece) {
      PushedChild child(renderer, origin, RelativeTo(piece, origin), nullptr);
      if (part->Draw(renderer, rect.width, rect.height) != 0) anyFailed = true;
    });
  }
  return anyFailed ? 1 : 0;
}

int32_t LLook::DrawClientArea(LRenderer& renderer, const LRectRegion& updateRegion) {
  bool anyFailed = false;
  const PointT<double> origin{double(mClientRect.x), double(mClientRect.y)};
  const bool drawsClient = mClientPart && !(mImagePart && mImageReplacesClient);
  ForEachVisiblePiece(renderer, updateRegion, mClientRect, [&](const RectT<double>& piece) {
    PushedChild child(renderer, origin, RelativeTo(piece, origin), mClientStencil);
    if (drawsClient && mClientPart->Draw(renderer, mClientRect.width, mClientRect.height) != 0)
      anyFailed = true;
    if (mImagePart && mImagePart->Draw(renderer, mClientRect.width, mClientRect.height) != 0)
      anyFailed = true;
  });
  return anyFailed ? 1 : 0;
}

int32_t LLook::DrawLabelText(LRenderer& renderer, const LRectRegion& updateRegion,
                             const PointT<double>& textOffset) {
  if (!mTextPart) return 1;
  const RectT<int32_t> box{mTextPosition.x, mTextPosition.y, TruncateToInt32(mTextArea.width),
                           TruncateToInt32(mTextArea.height)};
  ForEachVisiblePiece(renderer, updateRegion, box, [&](const RectT<double>& piece) {
    PushedChild child(renderer, {0, 0}, piece, mClientStencil);
    if (!mForegroundPart) return;
    if (mForegroundPart->GetBitmap())
      ThrowTextFillError("Bitmap fill for text foreground part not yet implemented.", 293);
    const LColorizer* colorizer = mForegroundPart->GetColorizer().Get();
    if (!colorizer) return;
    if (colorizer->colorType != LColorizer::SolidFill)
      ThrowTextFillError("Gradient fill for text foreground part not yet implemented.", 302);
    DrawTextLines(renderer, textOffset);
  });
  return 0;
}

void LLook::DrawTextLines(LRenderer& renderer, const PointT<double>& textOffset) const {
  const RCPtr<LFont>& font = mTextPart->GetFont();
  if (!font) return;  // a text without a font cannot be drawn
  const Color color = mForegroundPart->GetFillColor();
  const StringArrayW& lines = mTextPart->GetShownLines();
  const std::vector<RectT<float>>& rects = mTextPart->GetShownLineRects();
  const size_t count = std::min<size_t>(lines.GetCount(), rects.size());
  for (size_t i = 0; i < count; ++i) {
    const PointT<int32_t> position{RoundToInt32(mTextArea.x + rects[i].x - textOffset.x),
                                   RoundToInt32(mTextArea.y + rects[i].y - textOffset.y)};
    renderer.DrawText(*lines.GetItemPtr(static_cast<uint32_t>(i)), font, position, color);
  }
}

// --- Hit testing ---

namespace {

bool Contains(const RectT<int32_t>& r, const PointT<int32_t>& p) {
  return p.x >= r.x && p.y >= r.y && int64_t{p.x} < int64_t{r.x} + r.width &&
         int64_t{p.y} < int64_t{r.y} + r.height;
}

uint32_t ColorIn(const LVisualPart& part, const RectT<int32_t>& rect, const PointT<int32_t>& point) {
  const PointT<float> local{float(int64_t{point.x} - rect.x), float(int64_t{point.y} - rect.y)};
  return part.GetColorAtPoint(local, float(rect.width), float(rect.height));
}

}  // namespace

uint32_t LLook::GetColorAtPoint(const PointT<int32_t>& point) const {
  // A part answers for points inside its own rectangle only: a part drawn at
  // its natural size marks every point off its pixels as opaque, which would
  // hide whatever lies behind it.
  for (size_t i = 0; i < mNonClientParts.size(); ++i) {
    if (!mNonClientParts[i] || !Contains(mNonClientRects[i], point)) continue;
    const uint32_t color = ColorIn(*mNonClientParts[i], mNonClientRects[i], point);
    if (color > LVisualPart::kTransparent) return color;
  }
  if (!Contains(mClientRect, point)) return LVisualPart::kTransparent;
  if (mImagePart) {
    const uint32_t color = ColorIn(*mImagePart, mClientRect, point);
    if (color > LVisualPart::kTransparent) return color;
  }
  return mClientPart ? ColorIn(*mClientPart, mClientRect, point) : LVisualPart::kTransparent;
}

}  // namespace HV
