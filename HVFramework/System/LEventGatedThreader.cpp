#include "HVFramework/System/LEventGatedThreader.h"

#include <atomic>

namespace HV {

struct LEventGatedThreader::State {
  RCPtr<LEvent> gate;
  RCPtr<LThreadWorker> worker;
  RCPtr<LRefCountedObject> parameters;
  std::atomic<uint32_t> timeout{kInfinite};
  std::atomic<bool> running{false};
  std::atomic<bool> stopping{false};
};

LEventGatedThreader::LEventGatedThreader(const RCPtr<LEvent>& gate, const RCPtr<LThreadWorker>& worker,
                                         const RCPtr<LRefCountedObject>& parameters, int32_t priority)
    : mState(std::make_shared<State>()), mThread([state = mState] { return Run(*state); }) {
  mState->gate = gate;
  mState->worker = worker;
  mState->parameters = parameters;
  mThread.SetPriority(priority);
  mThread.SetPriorityBoost(false);
  mThread.Resume();
}

LEventGatedThreader::~LEventGatedThreader() {
  mState->stopping = true;
  if (mState->gate) mState->gate->Set();
  mThread.Wait(kStopWaitMilliseconds);
}

uint32_t LEventGatedThreader::Run(State& state) {
  if (!state.gate) return 0;
  while (!state.stopping) {
    state.gate->Wait(state.timeout);
    if (state.stopping) break;
    if (!state.worker) continue;
    state.running = true;
    state.worker->DoWork(state.parameters);
    state.running = false;
  }
  return 0;
}

uint32_t LEventGatedThreader::GetTimeout() const { return mState->timeout; }
void LEventGatedThreader::SetTimeout(uint32_t milliseconds) { mState->timeout = milliseconds; }
bool LEventGatedThreader::IsRunning() const { return mState->running; }

}  // namespace HV
