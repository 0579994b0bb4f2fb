#include "HVFramework/Notification/NotificationWakeHook.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <utility>

namespace HV {
namespace {

// The hook and the calls of it that run now; never destroyed, as posts may
// come from threads that outlive static destruction.
struct HookState {
  std::mutex lock;
  std::condition_variable callsEnded;
  const void* owner = nullptr;
  NotificationWakeHook::Wake wake;
  int running = 0;
  std::atomic<bool> isInstalled{false};
};

HookState& State() {
  static auto* const state = new HookState;
  return *state;
}

// Counts a call of the hook out, also when the hook throws.
class RunningCall {
 public:
  explicit RunningCall(HookState& state) : mState(state) {}
  ~RunningCall() {
    {
      std::lock_guard<std::mutex> hold(mState.lock);
      --mState.running;
    }
    mState.callsEnded.notify_all();
  }
  RunningCall(const RunningCall&) = delete;
  RunningCall& operator=(const RunningCall&) = delete;

 private:
  HookState& mState;
};

// The lock is held: waits until no call of the hook runs (the wait lets go
// of the lock meanwhile).
void WaitForCallsLocked(HookState& state, std::unique_lock<std::mutex>& hold) {
  state.callsEnded.wait(hold, [&state] { return state.running == 0; });
}

// The lock is held and no call runs: answers the former hook, to be destroyed
// after the lock is let go.
NotificationWakeHook::Wake SetLocked(HookState& state, const void* owner, NotificationWakeHook::Wake wake) {
  NotificationWakeHook::Wake former = std::exchange(state.wake, std::move(wake));
  state.owner = state.wake ? owner : nullptr;
  state.isInstalled.store(static_cast<bool>(state.wake), std::memory_order_release);
  return former;
}

}  // namespace

void NotificationWakeHook::Install(const void* owner, Wake wake) {
  HookState& state = State();
  std::unique_lock<std::mutex> hold(state.lock);
  WaitForCallsLocked(state, hold);
  const Wake former = SetLocked(state, owner, std::move(wake));
  hold.unlock();
}

void NotificationWakeHook::Remove(const void* owner) {
  HookState& state = State();
  std::unique_lock<std::mutex> hold(state.lock);
  WaitForCallsLocked(state, hold);
  if (state.owner != owner || owner == nullptr) return;
  const Wake former = SetLocked(state, nullptr, nullptr);
  hold.unlock();
}

void NotificationWakeHook::Run() {
  HookState& state = State();
  if (!state.isInstalled.load(std::memory_order_acquire)) return;
  Wake wake;
  {
    std::lock_guard<std::mutex> hold(state.lock);
    if (!state.wake) return;
    wake = state.wake;
    ++state.running;
  }
  const RunningCall counted(state);
  wake();
}

}  // namespace HV
