#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Platform/2D/Status2D.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace HV::Platform {

struct NativeFont;

// The design metrics of a typeface, in font units, read from its tables.
struct FontFamilyMetrics {
  int32_t unitsPerEm = 0;
  int32_t cellAscent = 0;   // above the baseline (the OS/2 table's Windows ascent)
  int32_t cellDescent = 0;  // below the baseline (the OS/2 table's Windows descent)
  int32_t lineSpacing = 0;  // from one baseline to the next
};

// Font2D: one typeface at one size in pixels, found through the system's font
// configuration. Measuring and drawing both go through the same scaled font
// and the same leading padding (a sixth of the em), so a measured width always
// covers the drawn text. User-interface thread; held by counted reference.
class Font2D : public virtual LRefCountedObject {
 public:
  enum Style : int32_t { Regular = 0, Bold = 1, Italic = 2, BoldItalic = 3 };

  // The family (UTF-8) at emPixels. When the configuration's best match is
  // another family, status is FontFamilyNotFound and the result null, so the
  // caller can fall back as it chooses; a size that is not a positive number
  // gives InvalidParameter.
  static RCPtr<Font2D> Create(const std::string& family, float emPixels, int32_t style, Status2D& status);
  // The configuration's sans-serif face, whatever family that is.
  static RCPtr<Font2D> CreateSansSerif(float emPixels, int32_t style, Status2D& status);

  ~Font2D() override;

  const std::string& GetFamilyName() const { return mFamily; }
  float GetEmPixels() const { return mEmPixels; }
  const FontFamilyMetrics& GetFamilyMetrics() const { return mMetrics; }
  // Distance from the top of a line to its baseline, in pixels.
  double GetAscentPixels() const;
  // The space before the first glyph of a drawn or measured string.
  double GetPadding() const { return mEmPixels / 6.0; }

  // The padding plus the advance of the text, or plus its ink's right edge
  // when the ink reaches further (italics).
  double MeasureString(std::u16string_view text) const;

  NativeFont& GetNative() const { return *mNative; }

 protected:
  Font2D(std::unique_ptr<NativeFont> native, std::string family, float emPixels,
         const FontFamilyMetrics& metrics);

 private:
  static RCPtr<Font2D> Load(const std::string& family, float emPixels, int32_t style, bool mustMatchFamily,
                            Status2D& status);

  std::unique_ptr<NativeFont> mNative;
  std::string mFamily;
  float mEmPixels;
  FontFamilyMetrics mMetrics;
};

// UTF-16 text as UTF-8 (lenient: a lone surrogate does not stop it).
std::string ToUtf8(std::u16string_view text);

}  // namespace HV::Platform
