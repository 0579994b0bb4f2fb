#include "HVFramework/Utilities/Storage/TextConversion.h"

#include <array>
#include <cstring>

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

// Copies the run of ASCII bytes at the front of the source, 8 bytes at a
// time while both sides have room for 8; the caller goes on byte by byte.
void CopyAsciiRun(const char*& in, const char* sourceEnd, char16_t*& out, const char16_t* targetEnd) {
  constexpr uint64_t kHighBits = 0x8080808080808080ull;
  while (sourceEnd - in >= 8 && targetEnd - out >= 8) {
    uint64_t word;
    std::memcpy(&word, in, sizeof word);
    if (word & kHighBits) return;
    for (int i = 0; i < 8; ++i) out[i] = static_cast<unsigned char>(in[i]);
    in += 8;
    out += 8;
  }
}

// Decodes a well-formed two- or three-byte sequence, the usual non-ASCII
// text, and steps past it; anything else is left to the general path. Such a
// sequence always stands for a character of the basic plane that is not a
// surrogate, so it needs no further checks.
bool DecodeShortSequence(const char*& in, const char* sourceEnd, char16_t& out) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(in);
  const unsigned char lead = bytes[0];
  if (lead >= 0xC2 && lead <= 0xDF && sourceEnd - in >= 2 && (bytes[1] & 0xC0) == 0x80) {
    out = static_cast<char16_t>(((lead & 0x1F) << 6) | (bytes[1] & 0x3F));
    in += 2;
    return true;
  }
  if (lead >= 0xE0 && lead <= 0xEF && sourceEnd - in >= 3 && IsValidUtf8Sequence(in, 3)) {
    out = static_cast<char16_t>(((lead & 0x0F) << 12) | ((bytes[1] & 0x3F) << 6) | (bytes[2] & 0x3F));
    in += 3;
    return true;
  }
  return false;
}

int32_t Utf8Length(uint32_t value) { return value < 0x80 ? 1 : value < 0x800 ? 2 : value < 0x10000 ? 3 : 4; }

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
      // Two in a row: likely a run worth taking a word at a time.
      if (in < sourceEnd && static_cast<unsigned char>(*in) < 0x80)
        CopyAsciiRun(in, sourceEnd, out, targetEnd);
      continue;
    }
    if (out < targetEnd && DecodeShortSequence(in, sourceEnd, *out)) {
      ++out;
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
