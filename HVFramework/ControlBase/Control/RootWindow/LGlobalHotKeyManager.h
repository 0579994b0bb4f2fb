#pragma once

#include "HVFramework/ControlBase/Skin/HotKeyMap.h"
#include "HVFramework/ControlBase/Skin/KeyCode.h"
#include "HVFramework/Notification/LNotificationReceiver.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/ObjectBase/WeakRCPtr.h"
#include "HVFramework/Utilities/Storage/StringT.h"

namespace HV {

class LKeyParam;
class LNotification;
class LStringTable;

// LGlobalHotKeyManager: turns a key that no control handled into a
// notification. Each root window owns one, filled from its root control's
// "GHK.<notification name>" string-table entries; the application owns
// another. The notification goes to the target receiver (a queue's posting
// receiver), so it reaches its clients at the next idle pass; the target is
// not held: once its queue lets go of it, keys still answer 0 and nothing is
// sent.
// User-interface thread only.
class LGlobalHotKeyManager : public virtual LRefCountedObject {
 public:
  static RCPtr<LGlobalHotKeyManager> Create(const RCPtr<LNotificationReceiver>& target);

  // 0 when the key is bound and its notification (with a copy of the key as
  // payload) went to the target; 1 when the key is not bound.
  int32_t HandleKey(const RCPtr<LKeyParam>& key);
  // E_INVALIDARG when the key is bound already or the name is empty.
  HResult Bind(const KeyCode& key, const StringW& name);
  // Binds the table's "<prefix>.<name>" entries; E_INVALIDARG without a table.
  HResult Load(const ConstRCPtr<LStringTable>& table, const StringW& prefix);
  void Clear() { mKeys = HotKeyMap(); }
  StringW FindName(const KeyCode& key) const { return mKeys.FindName(key); }
  // Whether a key is bound to the notification name.
  bool HasName(const StringW& name) const { return mKeys.HasName(name); }
  // The bindings (a menu shows the first key of its commands).
  const HotKeyMap& GetKeys() const { return mKeys; }
  // Sends a notification of that name, without payload, to the target as a
  // key bound to it would (a menu command of the same name). E_INVALIDARG
  // for an empty name; 0.
  HResult Raise(const StringW& name);

 protected:
  explicit LGlobalHotKeyManager(const RCPtr<LNotificationReceiver>& target) : mTarget(target) {}

 private:
  void Send(const RCPtr<LNotification>& notification);

  HotKeyMap mKeys;
  WeakRCPtr<LNotificationReceiver> mTarget;
};

}  // namespace HV
