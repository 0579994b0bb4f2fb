#include "HVFramework/Renderer/FontRenderer/LFreetypeFontRenderer.h"

#include "HVFramework/ObjectBase/TraceHook.h"
#include "HVFramework/Platform/Fonts/FontConfig.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_CACHE_H
#include FT_GLYPH_H

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace HV {

struct LFreetypeFontRenderer::FreeType {
  FT_Library library = nullptr;
  FTC_Manager manager = nullptr;
  FTC_CMapCache charMaps = nullptr;
  FTC_ImageCache images = nullptr;
};

namespace {

// Face ids are small numbers from 0; FreeType's cache takes them as pointers
// and keeps null for "none", so they travel shifted by one.
FTC_FaceID ToFaceID(int32_t faceId) {
  return reinterpret_cast<FTC_FaceID>(static_cast<uintptr_t>(faceId) + 1);
}
int32_t FromFaceID(FTC_FaceID id) { return static_cast<int32_t>(reinterpret_cast<uintptr_t>(id) - 1); }

FT_Error RequestFace(FTC_FaceID faceId, FT_Library library, FT_Pointer requestData, FT_Face* face) {
  const auto* catalogue = static_cast<const LFontCatalogue*>(requestData);
  const FontFileRef file = catalogue->GetFilePath(FromFaceID(faceId));
  if (file.IsEmpty()) return FT_Err_Cannot_Open_Resource;
  return FT_New_Face(library, StringA(file.path.GetText()).GetText(), file.faceIndex, face);
}

// A font size FreeType can take: NaN, negative and absurd sizes are clamped
// (a float beyond the integer range must never be converted).
float UsableSize(float size) { return size > 0 ? std::min(size, 4096.0f) : 0.0f; }

int8_t ToByte(FT_Pos value) { return static_cast<int8_t>(std::clamp<FT_Pos>(value, -128, 127)); }
int16_t ToShort(FT_Pos value) { return static_cast<int16_t>(std::clamp<FT_Pos>(value, -32768, 32767)); }

// The slot's bitmap as one byte a pixel: monochrome bits become 0 or 255.
void CopyCoverage(const FT_Bitmap& bitmap, GlyphCoverage& out) {
  out.width = static_cast<int32_t>(bitmap.width);
  out.rows = static_cast<int32_t>(bitmap.rows);
  out.pitch = out.width;
  out.bytes.assign(static_cast<size_t>(out.width) * out.rows, 0);
  const int pitch = bitmap.pitch;
  for (int32_t row = 0; row < out.rows; ++row) {
    // A negative pitch stores the rows bottom-up.
    const unsigned char* source = bitmap.buffer + (pitch >= 0 ? row * pitch : (out.rows - 1 - row) * -pitch);
    uint8_t* target = &out.bytes[static_cast<size_t>(row) * out.pitch];
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
      for (int32_t x = 0; x < out.width; ++x) target[x] = (source[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
    } else {
      std::copy(source, source + out.width, target);
    }
  }
}

// The next character of UTF-16 text (a surrogate pair gives one code point).
uint32_t NextCharacter(const char16_t* text, int32_t length, int32_t& i) {
  const uint32_t unit = text[i++];
  if (unit >= 0xD800 && unit < 0xDC00 && i < length && text[i] >= 0xDC00 && text[i] < 0xE000)
    return 0x10000 + ((unit - 0xD800) << 10) + (text[i++] - 0xDC00);
  return unit;
}

}  // namespace

RCPtr<LFreetypeFontRenderer> LFreetypeFontRenderer::Make(const RCPtr<LGlyphProcessor>& drawing,
                                                         const RCPtr<LGlyphProcessor>& measuring,
                                                         const std::vector<std::string>& folders,
                                                         const StringW& preferredSystemFont) {
  RCPtr<LFreetypeFontRenderer> renderer(new LFreetypeFontRenderer(drawing, measuring));
  renderer->Start(folders.empty() ? Platform::GetFontFolders() : folders,
                  preferredSystemFont.IsEmpty() ? StringW(Platform::GetDefaultSansFamily().c_str())
                                                : preferredSystemFont);
  return renderer;
}

LFreetypeFontRenderer::LFreetypeFontRenderer(const RCPtr<LGlyphProcessor>& drawing,
                                             const RCPtr<LGlyphProcessor>& measuring)
    : LFontRenderer(drawing, measuring), mFreeType(std::make_unique<FreeType>()) {}

void LFreetypeFontRenderer::Start(const std::vector<std::string>& folders,
                                  const StringW& preferredSystemFont) {
  mCatalogue.Build(folders, preferredSystemFont);
  if (FT_Init_FreeType(&mFreeType->library) != 0) return;
  if (FTC_Manager_New(mFreeType->library, kMaxFaces, kMaxSizes, kMaxBytes, &RequestFace, &mCatalogue,
                      &mFreeType->manager) != 0)
    return;
  FTC_CMapCache_New(mFreeType->manager, &mFreeType->charMaps);
  FTC_ImageCache_New(mFreeType->manager, &mFreeType->images);
}

LFreetypeFontRenderer::~LFreetypeFontRenderer() {
  if (mFreeType->manager) FTC_Manager_Done(mFreeType->manager);
  if (mFreeType->library) FT_Done_FreeType(mFreeType->library);
  mCatalogue.Clear();
}

bool LFreetypeFontRenderer::IsStarted() const { return mFreeType->manager != nullptr; }

std::optional<int32_t> LFreetypeFontRenderer::FindFaceId(const FontKey& font) {
  const std::optional<int32_t> faceId = mCatalogue.FindFileID(font);
  if (!faceId && !std::exchange(mHasTracedMissingFont, true))
    TraceLine("LFreetypeFontRenderer: no font file for \"" + std::string(StringA(font.family.GetText()).GetText()) +
              "\" and no system font: text is not drawn");
  return faceId;
}

namespace {
FT_Size LookupSize(FTC_Manager manager, std::optional<int32_t> faceId, const FontKey& font) {
  if (!manager || !faceId) return nullptr;
  FTC_ScalerRec scaler{};
  scaler.face_id = ToFaceID(*faceId);
  scaler.width = 0;
  scaler.height = static_cast<FT_UInt>(UsableSize(font.size) * 64);
  scaler.pixel = 0;
  scaler.x_res = LFreetypeFontRenderer::kDpi;
  scaler.y_res = LFreetypeFontRenderer::kDpi;
  FT_Size size = nullptr;
  if (FTC_Manager_LookupSize(manager, &scaler, &size) != 0) return nullptr;
  return size;
}
}  // namespace

HResult LFreetypeFontRenderer::GetFontMetrics(const FontKey& font, int32_t& height, int32_t& ascent,
                                              int32_t& descent) {
  FT_Size size = LookupSize(mFreeType->manager, FindFaceId(font), font);
  if (!size) return E_FAIL;
  ascent = static_cast<int32_t>(-(size->metrics.ascender >> 6));
  descent = static_cast<int32_t>(-(size->metrics.descender >> 6));
  height = std::max(static_cast<int32_t>(size->metrics.height >> 6),
                    static_cast<int32_t>(kDpi * UsableSize(font.size) / 72));
  if (height < descent - ascent) height = descent - ascent;
  return S_OK;
}

int32_t LFreetypeFontRenderer::RenderText(const StringW& text, const FontKey& font,
                                          LGlyphProcessor* processor, int32_t, int32_t, uint32_t flags) {
  FT_Size size = LookupSize(mFreeType->manager, FindFaceId(font), font);
  if (!size || !processor) return 0;
  FT_Face face = size->face;
  const bool useKerning = FT_HAS_KERNING(face);
  int32_t height = 0, ascent = 0, descent = 0;
  GetFontMetrics(font, height, ascent, descent);
  processor->BeginFont(font, ascent, flags);
  const FT_Render_Mode mode = UsableSize(font.size) >= 8.0f ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO;
  const FT_Render_Mode otherMode =
      mode == FT_RENDER_MODE_NORMAL ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL;
  float penX = 0, penY = 0;
  FT_UInt previous = 0;
  int32_t processed = 0;
  const int32_t length = text.GetLength();
  const char16_t* characters = text.GetText();
  for (int32_t i = 0; i < length;) {
    GlyphRecord record;
    record.charCode = NextCharacter(characters, length, i);
    record.position = static_cast<uint32_t>(i);
    const bool isCached = processor->LookupGlyph(record) == LGlyphProcessor::kCached;
    if (!isCached) record.glyphIndex = FT_Get_Char_Index(face, record.charCode);
    if (record.glyphIndex == 0) continue;  // no glyph: no advance either
    FT_Glyph glyph = nullptr;
    if (!isCached) {
      if (FT_Load_Glyph(face, record.glyphIndex, FT_LOAD_DEFAULT) != 0 ||
          FT_Get_Glyph(face->glyph, &glyph) != 0)
        continue;
      record.advanceX = ToShort(face->glyph->advance.x);
      record.advanceY = ToShort(face->glyph->advance.y);
      FT_BBox box;
      FT_Glyph_Get_CBox(glyph, FT_GLYPH_BBOX_PIXELS, &box);
      record.left = ToByte(box.xMin);
      record.top = ToByte(-box.yMax);
      record.right = ToByte(box.xMax);
      record.bottom = ToByte(-box.yMin);
      if (FT_Render_Glyph(face->glyph, mode) != 0 && FT_Render_Glyph(face->glyph, otherMode) != 0) {
        FT_Done_Glyph(glyph);
        continue;
      }
      CopyCoverage(face->glyph->bitmap, record.coverage);
      record.hasCoverage = record.coverage.width > 0 && record.coverage.rows > 0;
    }
    if (useKerning) {
      if (previous != 0) {
        FT_Vector kerning{};
        FT_Get_Kerning(face, previous, record.glyphIndex, FT_KERNING_DEFAULT, &kerning);
        penX += static_cast<float>(kerning.x / 64);
      } else if (record.left < 0) {
        penX -= record.left;
      }
    }
    record.penX = penX;
    record.penY = penY;
    processor->ProcessGlyph(record);
    if (glyph) FT_Done_Glyph(glyph);
    penX += static_cast<float>(record.advanceX / 64);
    penY += static_cast<float>(record.advanceY / 64);
    previous = record.glyphIndex;
    ++processed;
  }
  processor->EndFont();
  return processed;
}

}  // namespace HV
