#include "HVFramework/Notification/NotificationNames.h"

#include "HVFramework/System/MutexLocker.h"

#include <string_view>

namespace HV {

namespace {

// The index of the first entry with exactly this text, or -1. Compares in
// place: callers pass literals, and building a string to compare would cost
// an allocation per notification made.
int32_t FindText(const StringArrayW& table, std::u16string_view text) {
  for (uint32_t i = 0; i < table.GetCount(); ++i)
    if (table.GetItemPtr(i)->GetView() == text) return static_cast<int32_t>(i);
  return -1;
}

}  // namespace

// The lock and the table are made on first use and never destroyed, so
// notifications released while the process exits still find them.
Mutex& GetNotificationLock() {
  static Mutex* const lock = new Mutex;
  return *lock;
}

StringArrayW& GetNotificationNameTable() {
  static StringArrayW* const table = new StringArrayW;
  return *table;
}

const WChar* InternNotificationName(const WChar* name) {
  if (!name || name[0] == 0) return nullptr;
  MutexLocker lock(&GetNotificationLock());
  StringArrayW& table = GetNotificationNameTable();
  int32_t index = table.FindTextPointer(name);
  if (index < 0) index = FindText(table, name);
  if (index < 0) index = table.AddItem(StringW(name));
  return table.GetItemPtr(static_cast<uint32_t>(index))->GetText();
}

StringW GetNotificationNameString(const WChar* id) {
  if (!id) return StringW();
  MutexLocker lock(&GetNotificationLock());
  const StringArrayW& table = GetNotificationNameTable();
  const int32_t index = table.FindTextPointer(id);
  return index < 0 ? StringW() : *table.GetItemPtr(static_cast<uint32_t>(index));
}

}  // namespace HV
