#pragma once

#include "HVFramework/ControlBase/Skin/ControlFactory/LLookDescriptor.h"
#include "HVFramework/ControlBase/Skin/ControlFactory/SkinLayoutAttributes.h"

namespace HV {

// LSkinDescriptor: the skin of one control (its style name, look list and
// font) or, for a skin root, of a whole skin. Read-only after loading.
class LSkinDescriptor : public virtual LRefCountedObject {
 public:
  static RCPtr<LSkinDescriptor> Create(const StringW& name) {
    return RCPtr<LSkinDescriptor>(new LSkinDescriptor(name));
  }

  const StringW name;
  RCPtr<LLookList> lookList;  // null when none
  SkinPendingFont font;       // size 0 and style -1 mean "not given"

 protected:
  explicit LSkinDescriptor(const StringW& name_) : name(name_) {}
};

}  // namespace HV
