#pragma once

#include "HVFramework/Utilities/Graphics/Color.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <string_view>

namespace HV {

// SkinValueText: the conversions of skin attribute values from text, the way
// the skin format defines them. Pure functions; never fail.
struct SkinValueText {
  // True exactly for "True".
  static bool ParseBool(std::u16string_view text);
  // Leading blanks, optional sign, digits up to the first other character;
  // no digits gives 0; saturates at the int32 limits.
  static int32_t ParseDecimal(std::u16string_view text);
  static int64_t ParseDecimal64(std::u16string_view text);
  // "0x" (lower-case x) then at most 4 hexadecimal digits; else decimal.
  static int32_t ParseHexOrDecimal(std::u16string_view text);
  // C-style decimal floating point in the "C" locale; no number gives 0.
  static double ParseDouble(std::u16string_view text);
  static float ParseFloat(std::u16string_view text) { return static_cast<float>(ParseDouble(text)); }
  // The colour text of Color::Parse: optional "0x"/"0X", then by its length
  // 2 (alpha), 6 (red, green, blue) or 8 (ARGB) hex digits, read up to the
  // first other character; any other length leaves the colour as it was.
  static void ParseColor(std::u16string_view text, Color& color);
};

}  // namespace HV
