#pragma once

#include <cstdint>
#include <string>

// Result codes of the framework: signed 32-bit values in the HRESULT layout.
// Negative is failure; 0 and positive are success.
namespace HV {

using HResult = int32_t;

inline constexpr HResult S_OK = 0;
inline constexpr HResult S_FALSE = 1;  // nothing to do
inline constexpr HResult E_FAIL = static_cast<HResult>(0x80004005u);
inline constexpr HResult E_INVALIDARG = static_cast<HResult>(0x80070057u);
inline constexpr HResult E_NOTIMPL = static_cast<HResult>(0x80004001u);
inline constexpr HResult E_OUTOFMEMORY = static_cast<HResult>(0x8007000Eu);

constexpr bool Succeeded(HResult code) { return code >= 0; }
constexpr bool Failed(HResult code) { return code < 0; }

// "HVRESULT = " followed by the code's 32 bits in upper-case hexadecimal.
std::string ResultToString(HResult code);

}  // namespace HV
