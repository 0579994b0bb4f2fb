#include "HVFramework/Renderer/FontRenderer/LFontRenderer.h"

#include <algorithm>

namespace HV {

RectT<float> LFontRenderer::MeasureText(const StringW& text, const FontKey& font) {
  int32_t height = 0, ascent = 0, descent = 0;
  if (!mMeasuring || Failed(GetFontMetrics(font, height, ascent, descent))) return {};
  RenderText(text, font, mMeasuring.Get(), 0, 0, LGlyphProcessor::kMeasureFlags);
  const GlyphBounds b = mMeasuring->GetBounds();
  const float top = std::min(b.top, static_cast<float>(ascent));
  return {b.left, top, b.right + 1 - b.left, std::max(b.bottom, static_cast<float>(descent)) - top};
}

GlyphBounds LFontRenderer::GetBounds() const { return mMeasuring ? mMeasuring->GetBounds() : GlyphBounds{}; }

}  // namespace HV
