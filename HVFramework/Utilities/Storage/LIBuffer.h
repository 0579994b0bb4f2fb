#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/IBuffer.h"

namespace HV {

// LIBuffer: a buffer that is a counted object, shared copy-on-write through
// counted pointers: marking it unshareable (a string locking its text) makes
// every further pointer that takes it get a copy.
class LIBuffer : public virtual IBuffer, public virtual LRefCountedObject {
 public:
  // A new buffer of count bytes holding this one's bytes from offset; what
  // lies past this buffer's end is zero.
  virtual RCPtr<LIBuffer> CopyRange(uint32_t count, uint32_t offset) const = 0;
  RCPtr<LRefCountedObject> CreateCopy() const override = 0;
};

}  // namespace HV
