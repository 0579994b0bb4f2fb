#include "HVFramework/ControlBase/Skin/ControlFactory/SkinValueText.h"

#include "HVFramework/Utilities/Storage/LeadingHex.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <string>

namespace HV {
namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}

}  // namespace

bool SkinValueText::ParseBool(std::u16string_view text) { return text == u"True"; }

int64_t SkinValueText::ParseDecimal64(std::u16string_view text) {
  size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) negative = text[at++] == u'-';
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{1} << 40;  // far beyond int32; keeps the sum from overflowing
  for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at)
    value = std::min(value * 10 + (text[at] - u'0'), kLimit);
  return negative ? -value : value;
}

int32_t SkinValueText::ParseDecimal(std::u16string_view text) {
  return static_cast<int32_t>(std::clamp<int64_t>(ParseDecimal64(text), std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

int32_t SkinValueText::ParseHexOrDecimal(std::u16string_view text) {
  if (!text.starts_with(u"0x")) return ParseDecimal(text);
  return static_cast<int32_t>(ReadLeadingHex(text.substr(2), 4));
}

double SkinValueText::ParseDouble(std::u16string_view text) {
  size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  std::string narrow;
  narrow.reserve(std::min<size_t>(text.size() - at, 64));
  for (; at < text.size() && narrow.size() < 400; ++at) {
    const char16_t c = text[at];
    if (c > 0x7F) break;
    narrow += static_cast<char>(c);
  }
  const char* first = narrow.data();
  const char* last = first + narrow.size();
  bool negative = false;
  if (first != last && (*first == '+' || *first == '-')) negative = *first++ == '-';
  if (first != last && (*first == '+' || *first == '-')) return 0;  // one sign only
  double value = 0;
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (end == first) return 0;
  if (error == std::errc::result_out_of_range) value = std::strtod(std::string(first, end).c_str(), nullptr);
  return negative ? -value : value;
}

void SkinValueText::ParseColor(std::u16string_view text, Color& color) {
  // An empty text changes nothing; attribute values are far below the string limit.
  if (text.empty() || text.size() > static_cast<size_t>(StringW::kMaxLength)) return;
  color.Parse(StringW(text.data(), static_cast<int32_t>(text.size())).ToCharString().GetText());
}

}  // namespace HV
