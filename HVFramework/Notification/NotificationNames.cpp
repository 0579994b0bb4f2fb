#include "HVFramework/Notification/NotificationNames.h"

#include "HVFramework/System/MutexLocker.h"

#include <string_view>
#include <unordered_map>

namespace HV {

namespace {

// The table and its two indexes, guarded by the global notification lock.
// The indexes point into the entries' characters, which never move: an entry
// is a string sharing one buffer that nobody changes, whatever the array does.
struct NameTable {
  StringArrayW entries;
  std::unordered_map<std::u16string_view, const WChar*> byText;
  std::unordered_map<const WChar*, uint32_t> byAddress;  // identifier -> entry index

  int32_t IndexOf(const WChar* id) const {
    const auto found = byAddress.find(id);
    return found == byAddress.end() ? -1 : static_cast<int32_t>(found->second);
  }

  const WChar* Add(const WChar* name) {
    const auto index = static_cast<uint32_t>(entries.AddItem(StringW(name)));
    const StringW& entry = *entries.GetItemPtr(index);
    byText.emplace(entry.GetView(), entry.GetText());
    byAddress.emplace(entry.GetText(), index);
    return entry.GetText();
  }
};

// Made on first use and never destroyed, so notifications released while the
// process exits still find it.
NameTable& GetTable() {
  static auto* const table = new NameTable;
  return *table;
}

// The names this thread interned lately, by the address it passed in, so
// that a sender interning the same name again takes no lock. An entry is only
// a hint: it answers when the name is that identifier or has its text, so a
// buffer reused for another text just misses. Identifiers live as long as the
// process, so a hint never dangles.
struct RecentName {
  const WChar* name = nullptr;
  const WChar* id = nullptr;
};
constexpr size_t kRecentNames = 32;
thread_local RecentName tRecentNames[kRecentNames];

RecentName& RecentSlot(const WChar* name) {
  return tRecentNames[(reinterpret_cast<uintptr_t>(name) >> 3) % kRecentNames];
}

bool SameText(const WChar* a, const WChar* b) {
  while (*a != 0 && *a == *b) ++a, ++b;
  return *a == *b;
}

}  // namespace

Mutex& GetNotificationLock() {
  static Mutex* const lock = new Mutex;
  return *lock;
}

StringArrayW& GetNotificationNameTable() { return GetTable().entries; }

const WChar* InternNotificationNameLocked(const WChar* name) {
  if (!name || name[0] == 0) return nullptr;
  NameTable& table = GetTable();
  if (table.byAddress.count(name) > 0) return name;
  const auto found = table.byText.find(std::u16string_view(name));
  if (found != table.byText.end()) return found->second;
  return table.Add(name);
}

const WChar* InternNotificationName(const WChar* name) {
  if (!name || name[0] == 0) return nullptr;
  RecentName& recent = RecentSlot(name);
  if (recent.name == name && (name == recent.id || SameText(name, recent.id))) return recent.id;
  const WChar* id = nullptr;
  {
    MutexLocker lock(&GetNotificationLock());
    id = InternNotificationNameLocked(name);
  }
  recent = {name, id};
  return id;
}

StringW GetNotificationNameString(const WChar* id) {
  if (!id) return StringW();
  MutexLocker lock(&GetNotificationLock());
  const NameTable& table = GetTable();
  const int32_t index = table.IndexOf(id);
  return index < 0 ? StringW() : *table.entries.GetItemPtr(static_cast<uint32_t>(index));
}

}  // namespace HV
