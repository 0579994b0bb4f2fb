#pragma once

#include <cctype>
#include <cstdint>
#include <string_view>
#include <vector>

namespace HV::Test {

// Bytes written as hexadecimal pairs; spaces between them are ignored:
// Hex("0C000000 01000000 00000000").
inline std::vector<uint8_t> Hex(std::string_view text) {
  auto nibble = [](char c) { return static_cast<uint8_t>(std::isdigit(c) ? c - '0' : std::toupper(c) - 'A' + 10); };
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i < text.size();) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    bytes.push_back(static_cast<uint8_t>(nibble(text[i]) << 4 | nibble(text[i + 1])));
    i += 2;
  }
  return bytes;
}

}  // namespace HV::Test
