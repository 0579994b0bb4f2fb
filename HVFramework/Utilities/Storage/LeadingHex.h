#pragma once

#include <cstdint>
#include <string_view>

namespace HV {

// The value of the hexadecimal digits ("0"-"9", "a"-"f", "A"-"F") at the
// start of text, at most maxDigits of them (up to 8), reading up to the first
// other character; no digit gives 0. The number readers of colour texts and
// skin attributes share it.
template <class C>
uint32_t ReadLeadingHex(std::basic_string_view<C> text, size_t maxDigits) {
  uint32_t value = 0;
  for (size_t at = 0; at < text.size() && at < maxDigits; ++at) {
    const C c = text[at];
    uint32_t digit;
    if (c >= C('0') && c <= C('9'))
      digit = static_cast<uint32_t>(c - C('0'));
    else if (c >= C('a') && c <= C('f'))
      digit = static_cast<uint32_t>(c - C('a') + 10);
    else if (c >= C('A') && c <= C('F'))
      digit = static_cast<uint32_t>(c - C('A') + 10);
    else
      break;
    value = value << 4 | digit;
  }
  return value;
}

}  // namespace HV
