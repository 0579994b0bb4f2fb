#include "HVFramework/Platform/Core/EventHub.h"

#include "HVFramework/Platform/Core/Clock.h"

#include <algorithm>
#include <chrono>

namespace HV::Platform {
namespace {

// Takes one listing of the waiter out; the order of a list does not matter.
void Unlist(std::vector<Waiter*>& list, Waiter& waiter) {
  auto at = std::find(list.begin(), list.end(), &waiter);
  if (at == list.end()) return;
  *at = list.back();
  list.pop_back();
}

}  // namespace

EventHub& EventHub::Get() {
  static EventHub* hub = new EventHub();
  return *hub;
}

WaitHandle EventHub::CreateEvent(ResetMode mode) { return std::make_shared<Waitable>(mode); }

bool EventHub::Set(const WaitHandle& handle) {
  if (!handle) return false;
  std::lock_guard lock(mMutex);
  handle->mSignalled = true;
  // Under the lock: a waiter leaves its list, and its stack, only under it.
  // All of them, not one: a thread waiting for several objects may take a
  // lower one instead and leave this one set for the next.
  for (Waiter* waiter : handle->mWaiters) waiter->wake.notify_one();
  mWakeUps += handle->mWaiters.size();
  return true;
}

bool EventHub::Reset(const WaitHandle& handle) {
  if (!handle) return false;
  std::lock_guard lock(mMutex);
  handle->mSignalled = false;
  return true;
}

uint32_t EventHub::Wait(const WaitHandle& handle, uint32_t milliseconds) {
  return WaitForAny(std::span(&handle, 1), milliseconds);
}

std::ptrdiff_t EventHub::TakeSignalled(std::span<const WaitHandle> handles) {
  for (size_t i = 0; i < handles.size(); ++i) {
    Waitable& object = *handles[i];
    if (!object.mSignalled) continue;
    if (object.mMode == ResetMode::Auto) object.mSignalled = false;
    return static_cast<std::ptrdiff_t>(i);
  }
  return -1;
}

void EventHub::Enlist(Waiter& waiter, std::span<const WaitHandle> handles, bool timed) {
  for (const WaitHandle& handle : handles) handle->mWaiters.push_back(&waiter);
  if (timed) mTimedWaiters.push_back(&waiter);
  NoteBlocked(timed ? &BlockedWaits::timed : &BlockedWaits::untimed, +1);
}

void EventHub::Discharge(Waiter& waiter, std::span<const WaitHandle> handles, bool timed) {
  for (const WaitHandle& handle : handles) Unlist(handle->mWaiters, waiter);
  if (timed) Unlist(mTimedWaiters, waiter);
  NoteBlocked(timed ? &BlockedWaits::timed : &BlockedWaits::untimed, -1);
}

uint32_t EventHub::WaitForAny(std::span<const WaitHandle> handles, uint32_t milliseconds) {
  if (handles.empty() || handles.size() > kMaximumWaitObjects) return kWaitFailed;
  if (std::any_of(handles.begin(), handles.end(), [](const WaitHandle& h) { return !h; })) return kWaitFailed;

  const bool timed = milliseconds != kInfinite;
  Waiter waiter;
  bool enlisted = false;

  std::unique_lock lock(mMutex);
  const uint32_t start = timed ? GetTickCount() : 0;
  for (;;) {
    const std::ptrdiff_t index = TakeSignalled(handles);
    uint32_t result = kWaitTimeout;
    bool done = index >= 0;
    if (done) result = kWaitObject0 + static_cast<uint32_t>(index);

    uint32_t remaining = 0;
    if (!done && timed) {
      const uint32_t elapsed = GetTickCount() - start;  // unsigned: survives the wrap
      done = elapsed >= milliseconds;
      remaining = milliseconds - elapsed;
    }
    if (done) {
      if (enlisted) Discharge(waiter, handles, timed);
      return result;
    }

    if (!enlisted) {
      enlisted = true;
      Enlist(waiter, handles, timed);
    }
    // The condition variable waits on real time; with a virtual clock the
    // wake-up that counts comes from ClockMoved, and this loop looks again.
    if (timed)
      waiter.wake.wait_for(lock, std::chrono::milliseconds(remaining));
    else
      waiter.wake.wait(lock);
  }
}

void EventHub::NoteBlocked(size_t BlockedWaits::*kind, int delta) {
  mBlocked.*kind += static_cast<size_t>(delta);
  if (mWatchers > 0) mBlockedChanged.notify_all();
}

void EventHub::ClockMoved() {
  std::lock_guard lock(mMutex);
  for (Waiter* waiter : mTimedWaiters) waiter->wake.notify_one();
}

BlockedWaits EventHub::GetBlockedWaits() {
  std::lock_guard lock(mMutex);
  return mBlocked;
}

uint64_t EventHub::GetWakeUps() {
  std::lock_guard lock(mMutex);
  return mWakeUps;
}

template <class Predicate>
void EventHub::WaitForBlocked(Predicate isReached) {
  std::unique_lock lock(mMutex);
  ++mWatchers;
  mBlockedChanged.wait(lock, [&] { return isReached(mBlocked); });
  --mWatchers;
}

void EventHub::WaitUntilBlocked(BlockedWaits atLeast) {
  WaitForBlocked(
      [&](const BlockedWaits& now) { return now.timed >= atLeast.timed && now.untimed >= atLeast.untimed; });
}

void EventHub::WaitUntilBlockedExactly(BlockedWaits counts) {
  WaitForBlocked(
      [&](const BlockedWaits& now) { return now.timed == counts.timed && now.untimed == counts.untimed; });
}

}  // namespace HV::Platform
