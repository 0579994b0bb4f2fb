#pragma once

#include "HVFramework/Utilities/Storage/Variant.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace HV::Test {

// Values for the Variant tests, made as V (Variant or a class derived from it).
template <class V = Variant, class T>
V MakeValue(uint32_t tag, T value) {
  V v;
  EXPECT_EQ(v.Set(tag, &value, sizeof value), tag);
  return v;
}

template <class V = Variant>
V MakeText(const char* text) {
  V v;
  v.SetString(text);
  return v;
}

template <class V = Variant>
V MakeList(const std::vector<Variant>& items) {
  V v;
  v.SetList(items.data(), static_cast<uint32_t>(items.size()));
  return v;
}

// The value's record, or no bytes when it cannot be written.
inline std::vector<uint8_t> Serialized(const Variant& v) {
  uint32_t size = 0;
  v.GetData(&size);
  std::vector<uint8_t> out(size + 12);
  const int32_t n = v.Serialize(out.data(), static_cast<uint32_t>(out.size()));
  out.resize(n < 0 ? 0 : static_cast<size_t>(n));
  return out;
}

}  // namespace HV::Test
