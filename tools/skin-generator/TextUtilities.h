#pragma once

// Text helpers of the skin generator: UTF-8 checks and conversion, XML
// escaping and the strict number forms the description accepts.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace HV::SkinGenerator {

std::string Trim(std::string_view text);
// The text between a leading and a trailing double quote; the text as it is
// when it is not quoted.
std::string Unquote(std::string_view text);
bool IsValidUtf8(std::string_view text);
// UTF-8 (checked before) to UTF-16 code units.
std::u16string Utf8ToUtf16(std::string_view text);
// Text safe inside an XML attribute or element: the five markup characters
// as entities and line breaks as character references.
std::string EscapeXml(std::string_view text);

// "-12", "7": a whole decimal number, nothing else.
std::optional<int64_t> ParseWholeNumber(std::string_view text);
// "0.5", "-8", "1e3": a whole decimal floating-point text, nothing else.
std::optional<double> ParseRealNumber(std::string_view text);
// A number as the documents write it: whole numbers without a point, others
// with up to six decimals and no trailing zeros.
std::string FormatNumber(double value);

}  // namespace HV::SkinGenerator
