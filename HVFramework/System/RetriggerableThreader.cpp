#include "HVFramework/System/RetriggerableThreader.h"

#include "HVFramework/System/Event.h"

#include <atomic>
#include <mutex>

namespace HV {

struct RetriggerableThreader::State {
  Event trigger{true};
  std::atomic<bool> busy{false};
  std::atomic<bool> stopping{false};
  // Orders a trigger against the stop: either the trigger sees the stop and
  // is refused, or the thread, ending, sees what the trigger handed over.
  std::mutex stopLock;
  // Written by Trigger only while the thread is idle (busy clear), released
  // by the thread after its run: the two never touch them at once.
  RCPtr<LThreadWorker> worker;
  RCPtr<LRefCountedObject> parameters;
  RCPtr<LEvent> doneEvent;
};

// A trigger the stop overtook never runs; what it handed over is let go, and
// its done event set, on the thread's way out, outside the lock: the worker
// may hold the threader's owner, whose end may need anything.
void RetriggerableThreader::ReleaseUnrunTrigger(State& state) {
  RCPtr<LThreadWorker> worker;
  RCPtr<LRefCountedObject> parameters;
  RCPtr<LEvent> done;
  {
    std::lock_guard<std::mutex> hold(state.stopLock);
    worker = std::move(state.worker);
    parameters = std::move(state.parameters);
    done = std::move(state.doneEvent);
    state.busy = false;
  }
  worker = nullptr;
  parameters = nullptr;
  if (done) done->Set();
}

RetriggerableThreader::RetriggerableThreader(StringW name)
    : mState(std::make_shared<State>()),
      mThread([state = mState] { return Run(*state); }),
      mName(std::move(name)) {
  mThread.SetPriorityBoost(false);
  mThread.Resume();
}

RetriggerableThreader::~RetriggerableThreader() {
  RequestStop();
  mThread.Wait(kStopWaitMilliseconds);
}

uint32_t RetriggerableThreader::Run(State& state) {
  while (!state.stopping) {
    state.trigger.Wait(kInfinite);
    if (!state.stopping && state.worker) state.worker->DoWork(state.parameters);
    state.parameters = nullptr;
    state.worker = nullptr;
    RCPtr<LEvent> done = std::move(state.doneEvent);
    state.busy = false;
    if (done) done->Set();
  }
  ReleaseUnrunTrigger(state);
  return 0;
}

HResult RetriggerableThreader::Trigger(const RCPtr<LThreadWorker>& worker,
                                       const RCPtr<LRefCountedObject>& parameters,
                                       const RCPtr<LEvent>& doneEvent, int32_t priority) {
  return Start(worker, parameters, doneEvent, priority);
}

HResult RetriggerableThreader::Trigger(const RCPtr<LThreadWorker>& worker,
                                       const RCPtr<LRefCountedObject>& parameters, int32_t priority) {
  return Start(worker, parameters, nullptr, priority);
}

HResult RetriggerableThreader::Start(const RCPtr<LThreadWorker>& worker,
                                     const RCPtr<LRefCountedObject>& parameters,
                                     const RCPtr<LEvent>& doneEvent, int32_t priority) {
  State& state = *mState;
  {
    std::lock_guard<std::mutex> hold(state.stopLock);
    if (state.stopping || IsBusy()) return E_FAIL;
    mThread.SetPriority(priority);
    state.worker = worker;
    state.parameters = parameters;
    state.doneEvent = doneEvent;
    if (doneEvent) state.doneEvent->Reset();
    state.busy = true;
  }
  return state.trigger.Set() ? S_OK : E_FAIL;
}

StringW RetriggerableThreader::ToString() const {
  std::lock_guard lock(mNameLock);
  return mName;
}

void RetriggerableThreader::SetName(StringW name) {
  std::lock_guard lock(mNameLock);
  mName = std::move(name);
}

bool RetriggerableThreader::IsBusy() {
  if (!mState->busy) return false;
  if (!mThread.HasTerminated()) return true;
  mState->busy = false;
  return false;
}

bool RetriggerableThreader::IsStopping() const { return mState->stopping; }

void RetriggerableThreader::RequestStop() {
  {
    std::lock_guard<std::mutex> hold(mState->stopLock);
    mState->stopping = true;
  }
  mState->trigger.Set();
}

}  // namespace HV
