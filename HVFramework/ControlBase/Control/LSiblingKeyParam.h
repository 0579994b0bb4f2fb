#pragma once

#include "HVFramework/ControlBase/Skin/KeyCode.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/PooledObject.h"

namespace HV {

class LControl;

// LSiblingKeyParam: the payload of "NID_SIBLING_KEY": a key offered to the
// listeners of a control (its children's local hot keys) with the control it
// was offered from. A listener that uses the key clears notHandled. Pooled.
class LSiblingKeyParam : public virtual LRefCountedObject, public PooledObject<LSiblingKeyParam, 32, true> {
 public:
  static RCPtr<LSiblingKeyParam> Create(const KeyCode& key, LControl* from);
  ~LSiblingKeyParam() override;

  const KeyCode& GetKey() const { return mKey; }
  LControl* GetFrom() const;

  bool notHandled = true;

 protected:
  LSiblingKeyParam(const KeyCode& key, LControl* from);

 private:
  const KeyCode mKey;
  RCPtr<LControl> mFrom;
};

}  // namespace HV
