#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Renderer/FontCatalogue/FontKey.h"
#include "HVFramework/Renderer/FontRenderer/GlyphRecord.h"
#include "HVFramework/Utilities/Graphics/Edges.h"

#include <cstdint>

namespace HV {

// The box of the glyphs processed.
using GlyphBounds = Edges;

// LGlyphProcessor: what the font renderer calls for each text: BeginFont,
// then per character LookupGlyph and ProcessGlyph, then EndFont.
class LGlyphProcessor : public virtual LRefCountedObject {
 public:
  // Processing flags.
  enum Flags : uint32_t { Process = 1, AccumulateBounds = 2, Upload = 4, Draw = 8 };
  static constexpr uint32_t kDrawFlags = 15;
  static constexpr uint32_t kMeasureFlags = 3;
  // LookupGlyph answers.
  static constexpr int32_t kCached = 0;
  static constexpr int32_t kNotCached = 7;

  // ascent: the font's ascent in pixels (negative: above the baseline).
  virtual void BeginFont(const FontKey& font, int32_t ascent, uint32_t flags) = 0;
  virtual void EndFont() = 0;
  // kCached (the record receives box, advance and glyph index) or kNotCached.
  virtual int32_t LookupGlyph(GlyphRecord& record) = 0;
  virtual void ProcessGlyph(GlyphRecord& record) = 0;
  virtual GlyphBounds GetBounds() const = 0;
};

}  // namespace HV
