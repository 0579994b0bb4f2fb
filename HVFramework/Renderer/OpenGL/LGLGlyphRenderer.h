#pragma once

#include "HVFramework/Renderer/FontRenderer/LGlyphProcessor.h"
#include "HVFramework/Renderer/OpenGL/GlyphAtlas.h"
#include "HVFramework/Renderer/OpenGL/LGLTexture.h"
#include "HVFramework/Utilities/Storage/GetBits.h"
#include "HVFramework/Utilities/Storage/PurgableObjectCache.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <unordered_map>

namespace HV {

// LGLGlyphRenderer: the glyph processor of OpenGL text. Each font gets a
// glyph atlas (an alpha texture) into which every glyph is rasterised once;
// each character is then one textured quad, drawn in the current GL colour.
// It also sums the box of what it processed for measuring. GL context
// current (for drawing and uploads), user-interface thread only.
class LGLGlyphRenderer : public LGlyphProcessor {
 public:
  // The atlas entry of one glyph, keyed by its character code.
  struct SCachedGlyph {
    uint32_t charCode = 0;
    uint32_t glyphIndex = 0;
    int8_t left = 0, top = 0, right = 0, bottom = 0;
    int16_t advanceX = 0, advanceY = 0;
    uint16_t atlasX = 0, atlasY = 0;
    bool isInAtlas = false;  // false: too large for the atlas; advances, draws nothing
  };

  // One font's atlas texture and glyphs.
  class LCachedFont : public LGLTexture {
   public:
    static RCPtr<LCachedFont> Make(const FontKey& font) { return RCPtr<LCachedFont>(new LCachedFont(font)); }
    const FontKey& GetFont() const { return mFont; }
    GlyphAtlas& GetAtlas() { return mAtlas; }
    std::unordered_map<uint32_t, SCachedGlyph>& GetGlyphs() { return mGlyphs; }
    // Uploads the atlas when part of it changed since the last upload.
    void UploadIfDirty();

   private:
    explicit LCachedFont(const FontKey& font)
        : mFont(font),
          mAtlas(font.size > 0 ? static_cast<int32_t>(std::min(font.size, float(GlyphAtlas::kMaxHeight)))
                               : 0) {}
    FontKey mFont;
    GlyphAtlas mAtlas;
    std::unordered_map<uint32_t, SCachedGlyph> mGlyphs;
  };

  static RCPtr<LGLGlyphRenderer> Make() { return RCPtr<LGLGlyphRenderer>(new LGLGlyphRenderer); }

  void BeginFont(const FontKey& font, int32_t ascent, uint32_t flags) override;
  void EndFont() override;
  int32_t LookupGlyph(GlyphRecord& record) override;
  void ProcessGlyph(GlyphRecord& record) override;
  GlyphBounds GetBounds() const override { return mBounds; }

  // The atlas of a font, or null when it has none (for tests and tools).
  LCachedFont* FindCachedFont(int32_t uniqueId) const;

 private:
  LGLGlyphRenderer() = default;
  static int32_t UniqueIdOf(const FontKey& font) { return font.uniqueId; }
  // Font ids count up from 1: their lowest bits spread them best.
  using FontCache =
      PurgableObjectCache<LCachedFont, FontKey, int32_t, &UniqueIdOf, 8, &GetBits<8, 0, int32_t>>;

  void PlaceGlyph(const GlyphRecord& record);

  FontCache mFonts{16};
  RCPtr<LCachedFont> mCurrent;
  SCachedGlyph mGlyph;
  GlyphBounds mBounds;
  uint32_t mFlags = 0;
  int32_t mAscent = 0;
};

}  // namespace HV
