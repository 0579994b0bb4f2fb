#pragma once

// NotificationWakeHook: what a post to any notification queue calls once the
// notification is queued, so that the thread that drains the queues (the
// user-interface thread, asleep in its message loop) wakes up for it. The
// program's window dispatcher installs it; until then posts call nothing.
//
// Threads: Run on any thread, with no queue lock held; it costs one atomic
// load while nothing is installed. The hook runs with no lock of this class
// held and must not install or remove hooks itself. Install and Remove wait
// until no call of the hook they replace runs any more, so its owner may go
// as soon as Remove returns.

#include <functional>

namespace HV {

class NotificationWakeHook {
 public:
  using Wake = std::function<void()>;

  // Makes wake the hook, for owner (which removes it by the same key).
  static void Install(const void* owner, Wake wake);
  // Removes owner's hook; another owner's stays.
  static void Remove(const void* owner);
  // Calls the hook, if one is installed.
  static void Run();
};

}  // namespace HV
