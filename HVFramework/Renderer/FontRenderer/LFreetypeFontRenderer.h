#pragma once

#include "HVFramework/Renderer/FontCatalogue/LFontCatalogue.h"
#include "HVFramework/Renderer/FontRenderer/LFontRenderer.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace HV {

// LFreetypeFontRenderer: measures and draws text with FreeType. Fonts are
// found in a catalogue of the TrueType files of the font folders, opened
// through FreeType's cache manager (at most 8 faces, 16 sizes, 4 MB) at
// 96 dpi, and each glyph is handed to a glyph processor: anti-aliased from
// 8 points up, monochrome below. A failed start leaves text unmeasured and
// undrawn. User-interface thread only.
class LFreetypeFontRenderer : public LFontRenderer {
 public:
  static constexpr unsigned kMaxFaces = 8;
  static constexpr unsigned kMaxSizes = 16;
  static constexpr unsigned long kMaxBytes = 0x400000;
  static constexpr unsigned kDpi = 96;

  // The catalogue is built from the folders (empty: the machine's font
  // folders) and the system font is preferredSystemFont when the catalogue
  // has it (empty: the desktop's sans-serif family).
  static RCPtr<LFreetypeFontRenderer> Make(const RCPtr<LGlyphProcessor>& drawing,
                                           const RCPtr<LGlyphProcessor>& measuring,
                                           const std::vector<std::string>& folders = {},
                                           const StringW& preferredSystemFont = StringW());
  ~LFreetypeFontRenderer() override;

  // E_FAIL when the font's size cannot be looked up. A font neither the
  // catalogue nor its system font has (no usable font file at all) is
  // neither measured nor drawn, and is traced once.
  HResult GetFontMetrics(const FontKey& font, int32_t& height, int32_t& ascent, int32_t& descent) override;
  int32_t RenderText(const StringW& text, const FontKey& font, LGlyphProcessor* processor, int32_t start,
                     int32_t widthLimit, uint32_t flags) override;

  LFontCatalogue& GetCatalogue() { return mCatalogue; }
  bool IsStarted() const;

 private:
  struct FreeType;
  LFreetypeFontRenderer(const RCPtr<LGlyphProcessor>& drawing, const RCPtr<LGlyphProcessor>& measuring);
  void Start(const std::vector<std::string>& folders, const StringW& preferredSystemFont);
  // The catalogue's face for the font; nothing (traced once) when there is none.
  std::optional<int32_t> FindFaceId(const FontKey& font);

  LFontCatalogue mCatalogue;
  std::unique_ptr<FreeType> mFreeType;
  bool mHasTracedMissingFont = false;
};

}  // namespace HV
