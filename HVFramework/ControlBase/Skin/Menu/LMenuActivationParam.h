#pragma once

#include "HVFramework/ControlBase/Skin/Menu/LMenuDescriptor.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/PooledObject.h"

#include <cstdint>

namespace HV {

// LMenuActivationParam: the payload of a menu command: the menu the chosen
// item belongs to and the item's index. Records come from a recycling pool.
class LMenuActivationParam : public virtual LRefCountedObject,
                             public PooledObject<LMenuActivationParam, 4, false> {
 public:
  static RCPtr<LMenuActivationParam> Create(const RCPtr<LMenuDescriptor>& menu, int32_t index) {
    RCPtr<LMenuActivationParam> param(new LMenuActivationParam());
    param->menu = menu;
    param->index = index;
    return param;
  }

  RCPtr<LMenuDescriptor> menu;
  int32_t index = 0;

 protected:
  LMenuActivationParam() = default;
};

}  // namespace HV
