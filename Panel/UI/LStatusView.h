#pragma once

#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"

namespace HV {

// LStatusView: the device view's status object. It has no state and no
// operations; the device view makes one and hands it out on request.
class LStatusView : public virtual LRefCountedObject {
 public:
  static RCPtr<LStatusView> Create() { return RCPtr<LStatusView>(new LStatusView()); }

 private:
  LStatusView() = default;
};

}  // namespace HV
