#pragma once

#include <cstdint>

namespace HV {

// Color: the framework's colour value, four float channels (red, green, blue,
// alpha) nominally in 0..1. Nothing clamps the stored floats; packing does.
// A plain value, copied by copying the floats.
struct Color {
  float r = 0;
  float g = 0;
  float b = 0;
  float a = 0;

  // value is 0xAARRGGBB; each byte becomes byte / 255.
  Color& SetARGB(uint32_t value);

  // Reads skin text: an optional "0x"/"0X", then by the length of the rest
  // 2 hex digits (alpha only), 6 (red, green, blue) or 8 (0xAARRGGBB); any
  // other length, or a null text, changes nothing. Reading stops at the first
  // character that is not a hex digit. Never fails.
  Color& Parse(const char* text);

  // 0xAARRGGBB with each channel times 255, rounded half away from zero and
  // clamped to 0..255.
  uint32_t ToARGB() const;

  // Exact comparison of the four floats.
  friend bool operator==(const Color&, const Color&) = default;
};

}  // namespace HV
