#pragma once

#include <cstdint>

// The wait contract every waitable object of the framework keeps: time-outs
// in milliseconds, kInfinite to wait without limit, and one of three answers.
namespace HV::Platform {

inline constexpr uint32_t kInfinite = 0xFFFFFFFFu;
inline constexpr uint32_t kWaitObject0 = 0;       // signalled (plus the index, for "any of")
inline constexpr uint32_t kWaitTimeout = 258;     // the time-out elapsed first
inline constexpr uint32_t kWaitFailed = 0xFFFFFFFFu;
inline constexpr uint32_t kMaximumWaitObjects = 64;  // most objects one "any of" wait takes

}  // namespace HV::Platform
