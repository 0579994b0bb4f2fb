#pragma once

#include "HVFramework/Platform/Core/WaitCodes.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

namespace HV::Platform {

enum class ResetMode { Auto, Manual };

// One thread blocked in a hub wait. It lives on that thread's stack for the
// length of the wait and is listed with every object it waits for.
struct Waiter {
  std::condition_variable wake;
};

// Waitable: the state of one waitable object, an event or the end of a
// thread, with the threads waiting for it. Only the hub reads or changes it,
// under the hub's lock. Held by shared ownership: whoever may still wait on
// or set an object keeps it.
class Waitable {
 public:
  explicit Waitable(ResetMode mode) : mMode(mode) {}

 private:
  friend class EventHub;
  const ResetMode mMode;
  bool mSignalled = false;
  std::vector<Waiter*> mWaiters;
};

using WaitHandle = std::shared_ptr<Waitable>;

// Snapshot of the threads blocked in hub waits, for tests that must know a
// thread is waiting before they move a virtual clock or check for idleness.
struct BlockedWaits {
  size_t timed = 0;
  size_t untimed = 0;
};

// EventHub: every event and every wait of the program goes through it. Each
// waitable lists the threads blocked on it, and a set wakes only those; a
// woken thread looks again at everything it waits for, which keeps "wait for
// any" exact (the lowest signalled index wins and only that object is
// consumed). One lock guards every object's state, so a wait for several
// objects sees them all at one moment. Time-outs are measured on the
// installed clock, so a virtual clock drives them in tests. Any thread may
// call any operation.
class EventHub {
 public:
  // The process-wide hub. It is never destroyed: detached threads may still
  // be waiting in it while the program exits.
  static EventHub& Get();

  WaitHandle CreateEvent(ResetMode mode);

  // False for a null handle.
  bool Set(const WaitHandle& handle);
  bool Reset(const WaitHandle& handle);

  // kWaitObject0 when signalled (an auto-reset object is consumed),
  // kWaitTimeout, or kWaitFailed for a null handle.
  uint32_t Wait(const WaitHandle& handle, uint32_t milliseconds);

  // kWaitObject0 + the lowest signalled index; only that object is consumed.
  // kWaitFailed for no handles, more than kMaximumWaitObjects, or a null one.
  uint32_t WaitForAny(std::span<const WaitHandle> handles, uint32_t milliseconds);

  // Wakes every timed waiter to read the clock again; a virtual clock calls
  // it after moving.
  void ClockMoved();

  BlockedWaits GetBlockedWaits();
  // Blocks until at least the given numbers of threads wait in the hub.
  void WaitUntilBlocked(BlockedWaits atLeast);
  // Blocks until the threads waiting in the hub are exactly these.
  void WaitUntilBlockedExactly(BlockedWaits counts);
  // How many times a Set has woken a blocked thread, for tests that show a
  // set leaves the waiters of other objects asleep.
  uint64_t GetWakeUps();

 private:
  EventHub() = default;

  // Index of the first signalled handle, consuming it when auto-reset.
  static std::ptrdiff_t TakeSignalled(std::span<const WaitHandle> handles);
  void Enlist(Waiter& waiter, std::span<const WaitHandle> handles, bool timed);
  void Discharge(Waiter& waiter, std::span<const WaitHandle> handles, bool timed);
  void NoteBlocked(size_t BlockedWaits::*kind, int delta);
  template <class Predicate>
  void WaitForBlocked(Predicate isReached);

  std::mutex mMutex;
  std::vector<Waiter*> mTimedWaiters;  // woken when the clock moves
  BlockedWaits mBlocked;
  uint64_t mWakeUps = 0;
  std::condition_variable mBlockedChanged;
  size_t mWatchers = 0;  // threads in WaitUntilBlocked
};

}  // namespace HV::Platform
