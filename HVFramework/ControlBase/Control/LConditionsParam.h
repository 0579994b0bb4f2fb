#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/PooledObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>

namespace HV {

// LConditionsParam: the payload of every condition notification of one
// control: the condition words before and after the change and the pointer
// position at that time. Each control reuses its one instance.
class LConditionsParam : public virtual LRefCountedObject, public PooledObject<LConditionsParam, 4, true> {
 public:
  static RCPtr<LConditionsParam> Create() { return RCPtr<LConditionsParam>(new LConditionsParam()); }

  uint32_t previous = 0;
  uint32_t current = 0;
  double x = 0;
  double y = 0;

  // "(x, y)" with each coordinate as %g writes it.
  StringW ToString() const override;

 private:
  LConditionsParam() = default;
};

}  // namespace HV
