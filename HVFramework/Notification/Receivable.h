#pragma once

#include "HVFramework/Utilities/Storage/StringT.h"

#include <compare>
#include <cstdint>

namespace HV {

class LNotificationDistributor;

// Receivable: the key of a handler table entry, a (source, interned name)
// pair compared by address. Entries made without a source match deliveries
// that have none.
struct Receivable {
  const LNotificationDistributor* source = nullptr;  // not counted
  const WChar* name = nullptr;

  friend auto operator<=>(const Receivable& a, const Receivable& b) {
    if (const auto order = Address(a.source) <=> Address(b.source); order != 0) return order;
    return Address(a.name) <=> Address(b.name);
  }
  friend bool operator==(const Receivable& a, const Receivable& b) = default;

 private:
  static uintptr_t Address(const void* pointer) { return reinterpret_cast<uintptr_t>(pointer); }
};

}  // namespace HV
