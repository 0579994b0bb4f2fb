#include "HVFramework/Utilities/Graphics/Color.h"

#include "HVFramework/Utilities/Geometry/Rounding.h"
#include "HVFramework/Utilities/Storage/LeadingHex.h"

#include <string_view>

namespace HV {
namespace {

constexpr float kByteToUnit = 1.0f / 255.0f;

float ByteToUnit(uint32_t value, int shift) {
  return static_cast<float>((value >> shift) & 0xFF) * kByteToUnit;
}

uint32_t PackChannel(float channel, int shift) {
  int32_t v = RoundToInt32(static_cast<double>(channel) * 255.0);
  if (v > 255) v = 255;
  if (v < 0) v = 0;
  return static_cast<uint32_t>(v) << shift;
}

}  // namespace

Color& Color::SetARGB(uint32_t value) {
  a = ByteToUnit(value, 24);
  r = ByteToUnit(value, 16);
  g = ByteToUnit(value, 8);
  b = ByteToUnit(value, 0);
  return *this;
}

Color& Color::Parse(const char* text) {
  if (!text) return *this;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text += 2;
  const std::string_view digits(text);
  const uint32_t value = ReadLeadingHex(digits, 8);
  switch (digits.size()) {
    case 2:
      a = ByteToUnit(value, 0);
      break;
    case 6:
      r = ByteToUnit(value, 16);
      g = ByteToUnit(value, 8);
      b = ByteToUnit(value, 0);
      break;
    case 8:
      SetARGB(value);
      break;
    default:
      break;
  }
  return *this;
}

uint32_t Color::ToARGB() const {
  return PackChannel(a, 24) | PackChannel(r, 16) | PackChannel(g, 8) | PackChannel(b, 0);
}

}  // namespace HV
