#pragma once

#include "HVFramework/ControlBase/Skin/KeyCode.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/PooledObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <vector>

namespace HV {

class LControl;

// LKeyParam: one key event on its way through the control tree. The key
// code carries the virtual key in bits 16-23 with 0x20000000 on a key-down;
// its flag byte is the repeat flag of a key-down and 1 on a key-up. The path
// holds every control that passed the key on, so its last entry is the child
// the key came from. Pooled like every event parameter.
class LKeyParam : public virtual LRefCountedObject, public PooledObject<LKeyParam, 32, true> {
 public:
  static RCPtr<LKeyParam> Create(const KeyCode& key);
  ~LKeyParam() override;

  // A key word is a Tab when its virtual key is 9 with the virtual-key flag
  // set and the no-key bit clear, whatever the modifiers.
  static bool IsTab(uint32_t code);
  // A virtual key (not a typed character): a virtual key with the flag set.
  static bool IsVirtualKey(uint32_t code);

  const KeyCode& GetKey() const { return mKey; }
  bool IsTab() const { return IsTab(mKey.code); }

  void AppendToPath(LControl* control);
  uint32_t GetPathLength() const { return static_cast<uint32_t>(mPath.size()); }
  // The last control that passed the key on, or null.
  LControl* GetLastInPath() const;

  // Set when a Tab may wrap round inside its container.
  bool wraps = false;

  // The key's shortcut text ("Ctrl+Shift+Tab").
  StringW ToString() const override;

 protected:
  explicit LKeyParam(const KeyCode& key);

 private:
  const KeyCode mKey;
  std::vector<RCPtr<LControl>> mPath;
};

}  // namespace HV
