#pragma once

#include <cmath>
#include <cstdint>

namespace HV {

// v rounded half away from zero to a signed 32-bit integer, saturating at the
// ends of the range; not-a-number gives the lowest value.
constexpr int32_t RoundToInt32(double v) {
  if (v >= -2147483648.0 && v <= 2147483647.0) return static_cast<int32_t>(v < 0 ? v - 0.5 : v + 0.5);
  if (v > 2147483647.0) return INT32_MAX;
  return INT32_MIN;
}

// v rounded to a whole number, halves away from zero (2.5 -> 3, -2.5 -> -3):
// the rule of RoundToInt32 without the 32-bit range. Values too large to carry
// a fraction, infinities and NaN come back as they are.
inline double RoundHalfAway(double v) {
  constexpr double kWhole = 4503599627370496.0;  // 2^52: from here on every double is whole
  if (!(std::fabs(v) < kWhole)) return v;
  return static_cast<double>(static_cast<int64_t>(v < 0 ? v - 0.5 : v + 0.5));
}

// v rounded down to a whole number, where a value within a relative 2^-52 below
// a whole number counts as that number (so 2.9999999999999996 is 3).
// Values too large to carry a fraction, infinities and NaN come back as they are.
inline double FloorToPixel(double v) {
  constexpr double kTolerance = 1.0 / 4503599627370496.0;  // 2^-52
  constexpr double kWhole = 4503599627370496.0;            // from here on every double is whole
  if (!(std::fabs(v) < kWhole)) return v;
  if (v >= 0) return static_cast<double>(static_cast<int64_t>(v + v * kTolerance));
  return static_cast<double>(static_cast<int64_t>(v - (v * kTolerance + 1)));
}

}  // namespace HV
