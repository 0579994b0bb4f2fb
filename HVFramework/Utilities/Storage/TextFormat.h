#pragma once

#include "HVFramework/Utilities/Storage/FormatArgument.h"

#include <cstddef>
#include <cstdint>

namespace HV {

// The printf-style formatter behind StringW::FromFormat and Format.
//
// The pattern is read at run time with the wide C runtime's conventions:
// flags (- + space # 0), width and precision (digits or *), length prefixes
// (h hh l ll L I I32 I64 w z j t) and the conversions d i u x X o c C s S f F
// e E g G a A p %. Each argument is formatted by its real type: "%s" accepts
// wide and UTF-8 text alike, a number under "%s" prints as a number, a text
// under "%d" prints as text, a missing argument prints nothing, and "%n" is
// ignored. Numbers use the "C" locale whatever the process's locale is.
//
// Writes at most capacity - 1 units and a terminator (a surrogate pair that
// does not fit whole is left out); returns the number of units written.
int32_t FormatText(const char16_t* pattern, const FormatArgument* arguments, size_t count, char16_t* out,
                   int32_t capacity);

// The size of the formatting buffer of FromFormat and Format, terminator included.
constexpr int32_t kFormatBufferUnits = 16384;

}  // namespace HV
