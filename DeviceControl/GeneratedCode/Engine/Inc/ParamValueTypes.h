#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

// The value types of the device model: a parameter value (HV::Variant) and the
// name of a parameter (HV::ParamDescriptor).
//
// Interim: the framework's Variant and ParamDescriptor are not in the tree
// yet. Until they are, these stand-ins carry exactly what the model uses (an
// empty value or a byte array, tag 14) under the framework's names; the model
// reaches the bytes only through ParamRecord.h, so the switch stays in these
// two headers.
namespace ModelStandIn {

class Variant {
 public:
  static constexpr uint32_t kEmpty = 0;
  static constexpr uint32_t kByteArray = 14;

  uint32_t GetType() const { return mType; }
  void Clear() {
    mBytes.clear();
    mType = kEmpty;
  }
  uint32_t SetBytes(const void* data, uint32_t count) {
    const auto* first = static_cast<const uint8_t*>(data);
    mBytes.assign(first, first + count);
    mType = kByteArray;
    return mType;
  }
  // The bytes and their count; null and 0 for an empty value.
  const void* GetData(uint32_t* count) const {
    *count = static_cast<uint32_t>(mBytes.size());
    return mType == kEmpty ? nullptr : mBytes.data();
  }
  friend bool operator==(const Variant& a, const Variant& b) {
    return a.mType == b.mType && a.mBytes == b.mBytes;
  }

 private:
  std::vector<uint8_t> mBytes;
  uint32_t mType = kEmpty;
};

struct ParamDescriptor {
  explicit ParamDescriptor(int32_t id = 0) : paramID(id) {}
  int32_t paramID;
  Variant descriptor;
};

}  // namespace ModelStandIn

namespace HV {
using Variant = ModelStandIn::Variant;
using ParamDescriptor = ModelStandIn::ParamDescriptor;
}  // namespace HV
