#include "HVFramework/Utilities/Storage/NumberText.h"

#include <string>

namespace HV {
namespace {

// Pads the digits with leading zeros to at least decimals digits and puts the
// point before the last decimals of them; the sign stays in front.
StringW FixedPoint(bool negative, uint64_t magnitude, int32_t decimals) {
  std::u16string digits;
  for (std::string ascii = std::to_string(magnitude); char c : ascii) digits += static_cast<char16_t>(c);
  if (decimals > 0) {
    if (static_cast<int64_t>(digits.size()) < decimals) digits.insert(0, static_cast<size_t>(decimals) - digits.size(), u'0');
    digits.insert(digits.size() - static_cast<size_t>(decimals), 1, u'.');
  }
  if (negative) digits.insert(0, 1, u'-');
  return StringW(digits.c_str());
}

}  // namespace

StringW IntToString(int32_t value, int32_t decimals) {
  const int64_t wide = value;
  return FixedPoint(wide < 0, static_cast<uint64_t>(wide < 0 ? -wide : wide), decimals);
}

StringW UIntToString(uint32_t value, int32_t decimals) { return FixedPoint(false, value, decimals); }

StringW DoubleToString(double value, int32_t decimals) {
  if (decimals < 0) return StringW::FromFormat(u"%lf", value);
  return StringW::FromFormat(u"%.*lf", decimals, value);
}

}  // namespace HV
