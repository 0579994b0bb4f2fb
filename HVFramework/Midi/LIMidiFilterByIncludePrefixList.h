#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"

#include <cstdint>
#include <span>
#include <vector>

namespace HV {

// LIMidiFilterByIncludePrefixList: lets through the captured messages that
// begin with one of its prefixes (an empty prefix passes every message; a
// filter without prefixes passes none). The port layer stores and hands out
// copies (CreateCopy), so a client that changes its filter afterwards must
// set it again. Not locked: fill it before setting it.
class LIMidiFilterByIncludePrefixList : public virtual LRefCountedObject {
 public:
  static RCPtr<LIMidiFilterByIncludePrefixList> Create();

  void AddPrefix(std::span<const uint8_t> prefix);
  uint32_t GetPrefixCount() const { return static_cast<uint32_t>(mPrefixes.size()); }

  virtual bool Passes(std::span<const uint8_t> message) const;

  // A new filter with the same prefixes.
  RCPtr<LRefCountedObject> CreateCopy() const override;

 protected:
  LIMidiFilterByIncludePrefixList() = default;
  LIMidiFilterByIncludePrefixList(const LIMidiFilterByIncludePrefixList&) = default;

 private:
  std::vector<std::vector<uint8_t>> mPrefixes;
};

}  // namespace HV
