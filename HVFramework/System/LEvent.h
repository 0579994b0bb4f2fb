#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Platform/Core/EventHub.h"
#include "HVFramework/System/WaitCodes.h"

#include <cstdint>

namespace HV {

// LEvent: a counted auto-reset event, shared by a thread that sets it and
// one that waits for it; each holds a reference, so neither sees it die
// under it. Starts unset. Any thread may use it.
class LEvent : public virtual LRefCountedObject {
 public:
  static RCPtr<LEvent> Create();

  bool Set();
  bool Reset();
  uint32_t Wait(uint32_t milliseconds);

  const Platform::WaitHandle& GetHandle() const { return mHandle; }

 protected:
  LEvent();

 private:
  Platform::WaitHandle mHandle;
};

}  // namespace HV
