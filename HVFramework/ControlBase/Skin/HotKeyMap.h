#pragma once

#include "HVFramework/ControlBase/Skin/KeyCode.h"
#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Storage/Array.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <vector>

namespace HV {

class LStringTable;

// HotKeyMap: binds key codes to notification names. A key code is bound to at
// most one name (by KeyCode equality, which is not an ordering, so lookups
// scan). Names are interned notification names and compare by identity.
// One thread at a time.
class HotKeyMap {
 public:
  // E_INVALIDARG when the key is already bound (to any name) or the name is
  // empty; else 0.
  HResult Bind(const KeyCode& key, const StringW& name);
  // The name bound to the key, or the empty text.
  StringW FindName(const KeyCode& key) const;
  // A copy of the keys bound to a name; empty for an empty or unknown name.
  Array<KeyCode> GetKeyCodes(const StringW& name) const;
  bool HasName(const StringW& name) const;
  bool IsEmpty() const { return mEntries.empty(); }

 private:
  struct Entry {
    const WChar* name;  // interned
    Array<KeyCode> keys;
  };
  const Entry* FindEntry(const StringW& name) const;

  std::vector<Entry> mEntries;
};

// Binds every entry of the table whose ID begins with prefix + "." and whose
// text parses to a key, to the part of the ID after its last "."; bindings
// that fail are skipped. E_INVALIDARG without a table, else 0.
HResult LoadHotKeysFromStringTable(HotKeyMap& map, const ConstRCPtr<LStringTable>& table,
                                   const StringW& prefix);

}  // namespace HV
