#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/PooledObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

// LPointParam: a point in the receiving control's coordinates, the payload
// of pointer notifications. Made for every mouse event, so its memory comes
// from a reuse pool of its own (any thread may release one).
class LPointParam : public virtual LRefCountedObject, public PooledObject<LPointParam, 32, true> {
 public:
  static RCPtr<LPointParam> Create(int32_t x, int32_t y) { return RCPtr<LPointParam>(new LPointParam(x, y)); }

  int32_t x = 0;
  int32_t y = 0;

  // "point(x, y)".
  StringW ToString() const override;

 protected:
  LPointParam(int32_t px, int32_t py) : x(px), y(py) {}
};

}  // namespace HV
