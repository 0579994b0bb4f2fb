#pragma once

#include "HVFramework/Utilities/Storage/StringArrayT.h"

namespace HV {

class Mutex;

// Interned notification names. A name's identifier is the address of its text
// in the process-wide name table, so names compare by address everywhere. The
// table only grows and never changes an entry: every identifier stays valid
// until the process ends. Lookups go through hash indexes of the table (by
// address and by text), so interning costs the same with 10 names or 10,000;
// code that sends often still keeps its identifier (a static one) and hands
// that in, which is found by address without reading the text. Each thread
// also remembers the names it interned lately, so interning the same name
// again (an identifier or the same literal) takes no lock.

// The identifier of name, appending the text to the table when it is new;
// null for a null or empty name. An identifier passed in is found by address.
const WChar* InternNotificationName(const WChar* name);
// The same for a caller that holds GetNotificationLock() already (creating a
// notification interns and takes a spare under one hold of the lock).
const WChar* InternNotificationNameLocked(const WChar* name);

// The name table. Callers that read it hold GetNotificationLock().
StringArrayW& GetNotificationNameTable();

// The text of an identifier: a string sharing the table entry's characters,
// or an empty string when the identifier is not in the table.
StringW GetNotificationNameString(const WChar* id);

// The global notification lock: guards the name table and the spare pool of
// notifications, nothing else, and is never held while other code runs.
Mutex& GetNotificationLock();

}  // namespace HV
