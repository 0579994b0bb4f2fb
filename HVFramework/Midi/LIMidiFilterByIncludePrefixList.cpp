#include "HVFramework/Midi/LIMidiFilterByIncludePrefixList.h"

#include <algorithm>

namespace HV {

RCPtr<LIMidiFilterByIncludePrefixList> LIMidiFilterByIncludePrefixList::Create() {
  return RCPtr<LIMidiFilterByIncludePrefixList>(new LIMidiFilterByIncludePrefixList);
}

void LIMidiFilterByIncludePrefixList::AddPrefix(std::span<const uint8_t> prefix) {
  mPrefixes.emplace_back(prefix.begin(), prefix.end());
}

bool LIMidiFilterByIncludePrefixList::Passes(std::span<const uint8_t> message) const {
  return std::any_of(mPrefixes.begin(), mPrefixes.end(), [&](const std::vector<uint8_t>& prefix) {
    return prefix.size() <= message.size() && std::equal(prefix.begin(), prefix.end(), message.begin());
  });
}

RCPtr<LRefCountedObject> LIMidiFilterByIncludePrefixList::CreateCopy() const {
  return RCPtr<LRefCountedObject>(new LIMidiFilterByIncludePrefixList(*this));
}

}  // namespace HV
