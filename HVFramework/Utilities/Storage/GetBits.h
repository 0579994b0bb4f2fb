#pragma once

#include <cstdint>
#include <type_traits>

namespace HV {

// The bucket of a key in a table of 2^Bits buckets: Bits bits of the key
// from bit Shift up, with no further mixing. Handles and object IDs use a
// shift of 4 because their low bits say little.
template <uint32_t Bits, uint32_t Shift, class K>
uint32_t GetBits(const K& key) {
  static_assert(std::is_integral_v<K>, "keys of other types bring their own bucket function");
  const auto bits = static_cast<uint64_t>(static_cast<std::make_unsigned_t<K>>(key));
  return static_cast<uint32_t>((bits >> Shift) & ((uint64_t{1} << Bits) - 1));
}

}  // namespace HV
