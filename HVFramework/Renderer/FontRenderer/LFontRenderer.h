#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Renderer/FontCatalogue/FontKey.h"
#include "HVFramework/Renderer/FontRenderer/LGlyphProcessor.h"
#include "HVFramework/Utilities/Geometry/RectT.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

// LFontRenderer: measures and draws texts by handing each glyph to a glyph
// processor. It holds a drawing processor and a measuring processor; text
// drawing, measuring and GetBounds all go through the measuring one.
class LFontRenderer : public virtual LRefCountedObject {
 public:
  // The text's box: x = left, y = min(top, ascent), width = right + 1 - left,
  // height = max(bottom, descent) - y (all zero when nothing was processed).
  RectT<float> MeasureText(const StringW& text, const FontKey& font);
  virtual HResult GetFontMetrics(const FontKey& font, int32_t& height, int32_t& ascent, int32_t& descent) = 0;
  // Processes the text from pen (0, 0); answers the number of characters processed.
  virtual int32_t RenderText(const StringW& text, const FontKey& font, LGlyphProcessor* processor,
                             int32_t start, int32_t widthLimit, uint32_t flags) = 0;
  GlyphBounds GetBounds() const;

  LGlyphProcessor* GetMeasuringProcessor() const { return mMeasuring.Get(); }
  LGlyphProcessor* GetDrawingProcessor() const { return mDrawing.Get(); }

 protected:
  LFontRenderer(const RCPtr<LGlyphProcessor>& drawing, const RCPtr<LGlyphProcessor>& measuring)
      : mDrawing(drawing), mMeasuring(measuring) {}

 private:
  RCPtr<LGlyphProcessor> mDrawing;
  RCPtr<LGlyphProcessor> mMeasuring;
};

}  // namespace HV
