#include "HVFramework/Utilities/Storage/TextConversion.h"

#include <array>

namespace HV {
namespace {

constexpr char16_t kHighSurrogateFirst = 0xD800;
constexpr char16_t kHighSurrogateLast = 0xDBFF;
constexpr char16_t kLowSurrogateFirst = 0xDC00;
constexpr char16_t kLowSurrogateLast = 0xDFFF;
constexpr uint32_t kReplacement = 0xFFFD;
constexpr uint32_t kMaxScalar = 0x10FFFF;

// What accumulating a sequence of n bytes (value * 64 + byte) adds on top of
// the character value: the lead marks and continuation marks, by length.
constexpr std::array<uint32_t, 6> kSequenceOffsets = {0x00000000, 0x00003080, 0x000E2080,
                                                      0x03C82080, 0xFA082080, 0x82082080};
constexpr std::array<unsigned char, 5> kLeadMarks = {0x00, 0x00, 0xC0, 0xE0, 0xF0};

constexpr std::array<unsigned char, 256> MakeTrailingBytes() {
  std::array<unsigned char, 256> table{};
  for (int b = 0xC0; b < 256; ++b) table[b] = b < 0xE0 ? 1 : b < 0xF0 ? 2 : b < 0xF8 ? 3 : b < 0xFC ? 4 : 5;
  return table;
}
constexpr std::array<unsigned char, 256> kTrailingBytes = MakeTrailingBytes();

bool IsHighSurrogate(uint32_t u) { return u >= kHighSurrogateFirst && u <= kHighSurrogateLast; }
bool IsLowSurrogate(uint32_t u) { return u >= kLowSurrogateFirst && u <= kLowSurrogateLast; }

int32_t Utf8Length(uint32_t value) {
  return value < 0x80 ? 1 : value < 0x800 ? 2 : value < 0x10000 ? 3 : 4;
}

}  // namespace

int32_t Utf8TrailingBytes(unsigned char lead) { return kTrailingBytes[lead]; }

bool IsValidUtf8Sequence(const char* lead, int32_t length) {
  if (length < 1 || length > 4) return false;
  const auto* bytes = reinterpret_cast<const unsigned char*>(lead);
  const unsigned char first = bytes[0];
  if (length >= 4 && (bytes[3] < 0x80 || bytes[3] > 0xBF)) return false;
  if (length >= 3 && (bytes[2] < 0x80 || bytes[2] > 0xBF)) return false;
  if (length >= 2) {
    // The second byte is a continuation byte, narrowed after the leads whose
    // range would otherwise admit overlong forms (E0, F0), surrogates (ED) or
    // values past U+10FFFF (F4).
    const unsigned char second = bytes[1];
    if (second < 0x80 || second > 0xBF) return false;
    if (first == 0xE0 && second < 0xA0) return false;
    if (first == 0xED && second > 0x9F) return false;
    if (first == 0xF0 && second < 0x90) return false;
    if (first == 0xF4 && second > 0x8F) return false;
  }
  if (first >= 0x80 && first < 0xC2) return false;
  return first <= 0xF4;
}

ConversionResult Utf16ToUtf8(const char16_t*& source, const char16_t* sourceEnd, char*& target,
                             char* targetEnd, ConversionMode mode) {
  const char16_t* in = source;
  char* out = target;
  ConversionResult result = ConversionResult::Ok;
  while (in < sourceEnd) {
    const char16_t* start = in;
    uint32_t value = *in++;
    if (value < 0x80 && out < targetEnd) {  // the common case, one byte
      *out++ = static_cast<char>(value);
      continue;
    }
    if (IsHighSurrogate(value)) {
      if (in == sourceEnd) {
        in = start;
        result = ConversionResult::SourceExhausted;
        break;
      }
      if (IsLowSurrogate(*in)) {
        value = ((value - kHighSurrogateFirst) << 10) + (*in++ - kLowSurrogateFirst) + 0x10000;
      } else if (mode == ConversionMode::Strict) {
        in = start;
        result = ConversionResult::SourceIllegal;
        break;
      }
    } else if (IsLowSurrogate(value) && mode == ConversionMode::Strict) {
      in = start;
      result = ConversionResult::SourceIllegal;
      break;
    }
    const int32_t length = Utf8Length(value);
    if (targetEnd - out < length) {
      in = start;
      result = ConversionResult::TargetExhausted;
      break;
    }
    for (int32_t i = length - 1; i > 0; --i) {
      out[i] = static_cast<char>(0x80 | (value & 0x3F));
      value >>= 6;
    }
    out[0] = static_cast<char>(value | kLeadMarks[length]);
    out += length;
  }
  source = in;
  target = out;
  return result;
}

ConversionResult Utf8ToUtf16(const char*& source, const char* sourceEnd, char16_t*& target,
                             char16_t* targetEnd, ConversionMode mode) {
  const char* in = source;
  char16_t* out = target;
  ConversionResult result = ConversionResult::Ok;
  while (in < sourceEnd) {
    const auto lead = static_cast<unsigned char>(*in);
    if (lead < 0x80 && out < targetEnd) {  // the common case, one byte
      *out++ = lead;
      ++in;
      continue;
    }
    const int32_t trailing = kTrailingBytes[lead];
    if (trailing >= sourceEnd - in) {
      result = ConversionResult::SourceExhausted;
      break;
    }
    if (!IsValidUtf8Sequence(in, trailing + 1)) {
      result = ConversionResult::SourceIllegal;
      break;
    }
    uint32_t value = 0;
    for (int32_t i = 0; i <= trailing; ++i) value = (value << 6) + static_cast<unsigned char>(in[i]);
    value -= kSequenceOffsets[trailing];

    if (out >= targetEnd) {
      result = ConversionResult::TargetExhausted;
      break;
    }
    if (value <= 0xFFFF || value > kMaxScalar) {
      const bool bad = value > kMaxScalar || IsHighSurrogate(value) || IsLowSurrogate(value);
      if (bad && mode == ConversionMode::Strict) {
        result = ConversionResult::SourceIllegal;
        break;
      }
      *out++ = static_cast<char16_t>(bad ? kReplacement : value);
    } else {
      if (targetEnd - out < 2) {
        result = ConversionResult::TargetExhausted;
        break;
      }
      value -= 0x10000;
      *out++ = static_cast<char16_t>(kHighSurrogateFirst + (value >> 10));
      *out++ = static_cast<char16_t>(kLowSurrogateFirst + (value & 0x3FF));
    }
    in += trailing + 1;
  }
  source = in;
  target = out;
  return result;
}

}  // namespace HV
