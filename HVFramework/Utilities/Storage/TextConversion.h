#pragma once

#include <cstdint>

namespace HV {

// Conversions between UTF-16 (the wide strings) and UTF-8 (the 8-bit strings),
// one sequence at a time, with a strict legality check of UTF-8 input.

// What stopped a conversion. On return the cursors stand at the start of the
// unit or sequence that could not be converted.
enum class ConversionResult : uint32_t {
  Ok = 0,
  SourceExhausted = 1,  // the source ends inside a sequence
  TargetExhausted = 2,  // no room for the next character
  SourceIllegal = 3,    // an illegal sequence
};

// Strict refuses lone surrogates and values past U+10FFFF; lenient writes a
// lone UTF-16 surrogate in its 3-byte form and turns a bad decoded value into
// U+FFFD. Every caller in the framework converts leniently.
enum class ConversionMode : uint32_t { Strict = 0, Lenient = 1 };

ConversionResult Utf16ToUtf8(const char16_t*& source, const char16_t* sourceEnd, char*& target,
                             char* targetEnd, ConversionMode mode);
ConversionResult Utf8ToUtf16(const char*& source, const char* sourceEnd, char16_t*& target,
                             char16_t* targetEnd, ConversionMode mode);

// True when the length bytes from lead form one well-formed UTF-8 sequence
// (no overlong forms, no surrogates, nothing past U+10FFFF, lengths 1 to 4).
bool IsValidUtf8Sequence(const char* lead, int32_t length);

// Continuation bytes announced by a lead byte (up to 5 for the old 6-byte forms).
int32_t Utf8TrailingBytes(unsigned char lead);

}  // namespace HV
