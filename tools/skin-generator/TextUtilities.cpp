#include "tools/skin-generator/TextUtilities.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace HV::SkinGenerator {

std::string Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::string();
  const size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last + 1 - first));
}

std::string Unquote(std::string_view text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return std::string(text.substr(1, text.size() - 2));
  return std::string(text);
}

namespace {

// The length of the UTF-8 sequence starting with lead; 0 for a byte no sequence starts with.
int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Decodes the sequence at text[at] (checked); returns the code point and advances at.
char32_t Decode(std::string_view text, size_t& at, bool& valid) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const int length = SequenceLength(lead);
  valid = length > 0 && at + length <= text.size();
  if (!valid) return 0;
  char32_t point = length == 1 ? lead : lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) {
      valid = false;
      return 0;
    }
    point = (point << 6) | (next & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  valid = point >= kSmallest[length] && point <= 0x10FFFF && (point < 0xD800 || point > 0xDFFF);
  at += length;
  return point;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    bool valid = false;
    Decode(text, at, valid);
    if (!valid) return false;
  }
  return true;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  for (size_t at = 0; at < text.size();) {
    bool valid = false;
    const char32_t point = Decode(text, at, valid);
    if (!valid) break;
    if (point < 0x10000) {
      out.push_back(static_cast<char16_t>(point));
    } else {
      out.push_back(static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF)));
    }
  }
  return out;
}

std::string EscapeXml(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      case '\n': out += "&#10;"; break;
      default: out += c;
    }
  }
  return out;
}

std::optional<int64_t> ParseWholeNumber(std::string_view text) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::optional<double> ParseRealNumber(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string FormatNumber(double value) {
  if (value == std::floor(value) && std::fabs(value) < 1e15) return std::to_string(static_cast<int64_t>(value));
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6f", value);
  std::string text = buffer;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

}  // namespace HV::SkinGenerator
