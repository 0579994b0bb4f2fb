#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"

namespace HV {

// LCancelArgs: the payload of a notification that its receivers may veto
// ("NID_DIALOG_CLOSING"): a receiver that sets cancel stops what was announced.
class LCancelArgs : public virtual LRefCountedObject {
 public:
  static RCPtr<LCancelArgs> Create() { return RCPtr<LCancelArgs>(new LCancelArgs()); }

  bool cancel = false;

 protected:
  LCancelArgs() = default;
};

}  // namespace HV
