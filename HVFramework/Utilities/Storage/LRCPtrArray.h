#pragma once

#include "HVFramework/ObjectBase/TaggableObject.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"

namespace HV {

// LRCPtrArray<T, G, S>: an RCPtrArray that is itself a counted, taggable
// object, so one array can be shared through counted pointers.
template <class T, uint32_t Granularity = 1, uint32_t Slack = 0>
class LRCPtrArray : public RCPtrArray<T, Granularity, Slack>, public LTaggableObject {
 public:
  // A new array of count null slots, holding its first reference.
  static RCPtr<LRCPtrArray> Create(uint32_t count = 0, uint32_t reserve = 0) {
    return RCPtr<LRCPtrArray>(new LRCPtrArray(count, reserve));
  }

 protected:
  LRCPtrArray(uint32_t count, uint32_t reserve) : RCPtrArray<T, Granularity, Slack>(count, reserve) {}
};

}  // namespace HV
