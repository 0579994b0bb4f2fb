#include "HVFramework/Notification/NotificationNames.h"

#include "HVFramework/System/MutexLocker.h"

namespace HV {

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
  if (index < 0) {
    const StringW text(name);
    index = table.Find(text);
    if (index < 0) index = table.AddItem(text);
  }
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
