#pragma once

#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/System/LEvent.h"
#include "HVFramework/System/LThreadWorker.h"
#include "HVFramework/System/Thread.h"

#include <cstdint>
#include <memory>

namespace HV {

// LEventGatedThreader: a permanent thread that runs the same worker each
// time its gate event is set, and also each time a wait on the gate times
// out. The time-out (kInfinite at first) is read before every wait, so a new
// one applies after the current wait; set the gate to apply it at once.
//
// What the thread uses lives in a state it shares with this object, so a
// destructor that gives up waiting for a slow run frees nothing in use.
class LEventGatedThreader : public virtual LRefCountedObject {
 public:
  static constexpr uint32_t kStopWaitMilliseconds = 60000;

  // Without a gate nothing can open the thread, and it ends at once.
  LEventGatedThreader(const RCPtr<LEvent>& gate, const RCPtr<LThreadWorker>& worker,
                      const RCPtr<LRefCountedObject>& parameters, int32_t priority);
  ~LEventGatedThreader() override;
  LEventGatedThreader(const LEventGatedThreader&) = delete;
  LEventGatedThreader& operator=(const LEventGatedThreader&) = delete;

  uint32_t GetTimeout() const;
  void SetTimeout(uint32_t milliseconds);
  // True while the worker runs: owners wait for a run in progress with it.
  bool IsRunning() const;
  Thread& GetThread() { return mThread; }

 private:
  struct State;
  static uint32_t Run(State& state);

  std::shared_ptr<State> mState;
  Thread mThread;
};

}  // namespace HV
