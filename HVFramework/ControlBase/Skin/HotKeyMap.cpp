#include "HVFramework/ControlBase/Skin/HotKeyMap.h"

#include "HVFramework/ControlBase/Skin/ControlFactory/LStringTable.h"
#include "HVFramework/Notification/NotificationNames.h"

namespace HV {

HResult HotKeyMap::Bind(const KeyCode& key, const StringW& name) {
  if (!FindName(key).IsEmpty()) return E_INVALIDARG;
  if (name.IsEmpty()) return E_INVALIDARG;
  const WChar* interned = InternNotificationName(name.GetText());
  for (Entry& entry : mEntries) {
    if (entry.name == interned) {
      entry.keys.AddItem(key);
      return S_OK;
    }
  }
  Entry entry{interned, {}};
  entry.keys.AddItem(key);
  mEntries.push_back(std::move(entry));
  return S_OK;
}

StringW HotKeyMap::FindName(const KeyCode& key) const {
  for (const Entry& entry : mEntries) {
    const KeyCode* keys = entry.keys.GetData();
    for (uint32_t i = entry.keys.GetCount(); i-- > 0;)
      if (keys[i] == key) return StringW(entry.name);
  }
  return {};
}

const HotKeyMap::Entry* HotKeyMap::FindEntry(const StringW& name) const {
  if (name.IsEmpty()) return nullptr;
  for (const Entry& entry : mEntries)  // by text: a lookup must not grow the name table
    if (name == entry.name) return &entry;
  return nullptr;
}

Array<KeyCode> HotKeyMap::GetKeyCodes(const StringW& name) const {
  const Entry* entry = FindEntry(name);
  return entry ? entry->keys : Array<KeyCode>();
}

bool HotKeyMap::HasName(const StringW& name) const { return FindEntry(name) != nullptr; }

HResult LoadHotKeysFromStringTable(HotKeyMap& map, const ConstRCPtr<LStringTable>& table,
                                   const StringW& prefix) {
  if (!table) return E_INVALIDARG;
  const StringW lead = prefix + StringW(u".");
  for (const auto& [id, text] : table->GetEntries()) {
    if (!id.GetView().starts_with(lead.GetView())) continue;
    const KeyCode key = KeyCode::Parse(text);
    if (key.IsNoKey()) continue;
    map.Bind(key, id.Mid(id.ReverseFind(u'.') + 1));
  }
  return S_OK;
}

}  // namespace HV
