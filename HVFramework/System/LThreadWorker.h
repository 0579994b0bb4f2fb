#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"

#include <cstdint>

namespace HV {

// LThreadWorker: a piece of work that a threader or the thread pool runs on
// its thread. The parameter object may be null.
class LThreadWorker : public virtual LRefCountedObject {
 public:
  virtual int32_t DoWork(RCPtr<LRefCountedObject>& parameters) = 0;
};

}  // namespace HV
