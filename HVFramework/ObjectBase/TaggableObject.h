#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"

namespace HV {

// LTaggableObject: a counted object that carries one counted tag of any
// counted class, empty until set and released with the object. Every control
// is one.
class LTaggableObject : public virtual LRefCountedObject {
 public:
  const ConstRCPtr<LRefCountedObject>& GetTag() const { return mTag; }
  void SetTag(const ConstRCPtr<LRefCountedObject>& tag) { mTag = tag; }

 private:
  ConstRCPtr<LRefCountedObject> mTag;
};

}  // namespace HV
