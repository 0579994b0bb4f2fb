#include "HVFramework/Platform/2D/Font2D.h"

#include "HVFramework/Platform/2D/CairoNative.h"
#include "HVFramework/Utilities/Storage/TextConversion.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <strings.h>
#include <algorithm>
#include <cmath>

namespace HV::Platform {

namespace {

// One FreeType library for the process; faces live as long as the cairo font
// faces made over them.
FT_Library Library() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
    return lib;
  }();
  return library;
}

cairo_user_data_key_t gFaceKey;

void DoneFace(void* face) { FT_Done_Face(static_cast<FT_Face>(face)); }

bool MatchesFamily(FcPattern* match, const std::string& family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
    if (strcasecmp(reinterpret_cast<const char*>(name), family.c_str()) == 0) return true;
  return false;
}

FontFamilyMetrics ReadMetrics(FT_Face face) {
  FontFamilyMetrics m;
  m.unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 2048;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
  if (os2 && os2->version != 0xFFFF && (os2->usWinAscent || os2->usWinDescent)) {
    m.cellAscent = os2->usWinAscent;
    m.cellDescent = os2->usWinDescent;
  } else {
    m.cellAscent = face->ascender;
    m.cellDescent = -face->descender;
  }
  int32_t spacing = m.cellAscent + m.cellDescent;
  if (hhea) spacing = std::max<int32_t>(spacing, hhea->Ascender - hhea->Descender + hhea->Line_Gap);
  m.lineSpacing = spacing;
  return m;
}

}  // namespace

std::string ToUtf8(std::u16string_view text) {
  std::string out(text.size() * 3, '\0');
  const char16_t* s = text.data();
  char* t = out.data();
  Utf16ToUtf8(s, s + text.size(), t, t + out.size(), ConversionMode::Lenient);
  out.resize(static_cast<size_t>(t - out.data()));
  return out;
}

Font2D::Font2D(std::unique_ptr<NativeFont> native, std::string family, float emPixels,
               const FontFamilyMetrics& metrics)
    : mNative(std::move(native)), mFamily(std::move(family)), mEmPixels(emPixels), mMetrics(metrics) {}

Font2D::~Font2D() = default;

RCPtr<Font2D> Font2D::Create(const std::string& family, float emPixels, int32_t style, Status2D& status) {
  return Load(family, emPixels, style, true, status);
}

RCPtr<Font2D> Font2D::CreateSansSerif(float emPixels, int32_t style, Status2D& status) {
  return Load("sans-serif", emPixels, style, false, status);
}

RCPtr<Font2D> Font2D::Load(const std::string& family, float emPixels, int32_t style, bool mustMatchFamily,
                           Status2D& status) {
  status = Status2D::Ok;
  if (!(emPixels > 0) || !std::isfinite(emPixels) || emPixels > 10000 || family.empty()) {
    status = Status2D::InvalidParameter;
    return nullptr;
  }
  FT_Library library = Library();
  if (!library || !FcInit()) {
    status = Status2D::GenericError;
    return nullptr;
  }

  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, (style & Bold) ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, (style & Italic) ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) {
    status = Status2D::FontFamilyNotFound;
    return nullptr;
  }

  FcChar8* file = nullptr;
  FcChar8* matchedFamily = nullptr;
  int index = 0;
  const bool hasFile = FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch;
  FcPatternGetInteger(match, FC_INDEX, 0, &index);
  FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily);
  const bool familyFound = !mustMatchFamily || MatchesFamily(match, family);
  const std::string filePath = hasFile ? reinterpret_cast<const char*>(file) : "";
  const std::string familyName = matchedFamily ? reinterpret_cast<const char*>(matchedFamily) : family;
  FcPatternDestroy(match);
  if (!familyFound || !hasFile) {
    status = Status2D::FontFamilyNotFound;
    return nullptr;
  }

  FT_Face face = nullptr;
  if (FT_New_Face(library, filePath.c_str(), index, &face) != 0) {
    status = Status2D::FontFamilyNotFound;
    return nullptr;
  }
  const FontFamilyMetrics metrics = ReadMetrics(face);

  auto native = std::make_unique<NativeFont>();
  native->face = cairo_ft_font_face_create_for_ft_face(face, 0);
  if (cairo_font_face_set_user_data(native->face, &gFaceKey, face, &DoneFace) != CAIRO_STATUS_SUCCESS) {
    cairo_font_face_destroy(native->face);
    native->face = nullptr;
    FT_Done_Face(face);
    status = Status2D::OutOfMemory;
    return nullptr;
  }
  // A bold or italic request that the family has no face for is synthesised.
  unsigned synth = 0;
  if ((style & Bold) && !(face->style_flags & FT_STYLE_FLAG_BOLD)) synth |= CAIRO_FT_SYNTHESIZE_BOLD;
  if ((style & Italic) && !(face->style_flags & FT_STYLE_FLAG_ITALIC)) synth |= CAIRO_FT_SYNTHESIZE_OBLIQUE;
  if (synth) cairo_ft_font_face_set_synthesize(native->face, synth);

  cairo_matrix_t fontMatrix;
  cairo_matrix_t identity;
  cairo_matrix_init_scale(&fontMatrix, emPixels, emPixels);
  cairo_matrix_init_identity(&identity);
  cairo_font_options_t* options = cairo_font_options_create();
  // Unhinted outlines and metrics: a width measured once holds wherever the text is drawn.
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  native->scaled = cairo_scaled_font_create(native->face, &fontMatrix, &identity, options);
  cairo_font_options_destroy(options);
  if (cairo_scaled_font_status(native->scaled) != CAIRO_STATUS_SUCCESS) {
    status = Status2D::GenericError;
    return nullptr;
  }
  return RCPtr<Font2D>(new Font2D(std::move(native), familyName, emPixels, metrics));
}

double Font2D::GetAscentPixels() const {
  return static_cast<double>(mMetrics.cellAscent) * mEmPixels / mMetrics.unitsPerEm;
}

double Font2D::MeasureString(std::u16string_view text) const {
  if (text.empty()) return GetPadding();
  const std::string utf8 = ToUtf8(text);
  cairo_text_extents_t extents;
  cairo_scaled_font_text_extents(mNative->scaled, utf8.c_str(), &extents);
  // Italic and some plain glyphs reach past their advance: the width covers their ink too.
  return GetPadding() + std::max(extents.x_advance, extents.x_bearing + extents.width);
}

}  // namespace HV::Platform
