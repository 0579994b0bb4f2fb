#pragma once

#include "HVFramework/ObjectBase/IStringable.h"
#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/System/LEvent.h"
#include "HVFramework/System/LThreadWorker.h"
#include "HVFramework/System/Thread.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <memory>
#include <mutex>

namespace HV {

// RetriggerableThreader: a permanent thread that runs one worker per
// Trigger. A Trigger while a run is in progress is refused, never queued, so
// one trigger gives at most one run. When the run ends the busy flag is
// cleared and then the optional done event is set, so whoever wakes on it
// may trigger again at once.
//
// Trigger expects one triggering thread at a time (the thread pool triggers
// under its lock). What the thread uses lives in a state it shares with this
// object: a destructor that gives up waiting for a slow run frees nothing
// the run still needs.
class RetriggerableThreader : public IStringable {
 public:
  // How long destruction and stopping wait for a run to finish.
  static constexpr uint32_t kStopWaitMilliseconds = 60000;

  explicit RetriggerableThreader(StringW name = {});
  ~RetriggerableThreader() override;
  RetriggerableThreader(const RetriggerableThreader&) = delete;
  RetriggerableThreader& operator=(const RetriggerableThreader&) = delete;

  // S_OK when the run was started; E_FAIL when stopping, busy, or the
  // trigger could not be set (nothing is changed for stopping or busy).
  HResult Trigger(const RCPtr<LThreadWorker>& worker, const RCPtr<LRefCountedObject>& parameters,
                  const RCPtr<LEvent>& doneEvent, int32_t priority);
  // The same without a done event: one still held from an earlier run is dropped.
  HResult Trigger(const RCPtr<LThreadWorker>& worker, const RCPtr<LRefCountedObject>& parameters,
                  int32_t priority);

  StringW ToString() const override;
  void SetName(StringW name);

  // True from a successful Trigger until the run has ended. A busy flag left
  // behind by a thread that has ended is cleared here.
  bool IsBusy();
  bool IsStopping() const;
  // Lets the current run finish and ends the thread; no new run starts.
  void RequestStop();
  // True when the thread has ended within the time-out.
  bool WaitForThread(uint32_t milliseconds) { return mThread.Wait(milliseconds); }
  Thread& GetThread() { return mThread; }

 private:
  struct State;
  static uint32_t Run(State& state);
  static void ReleaseUnrunTrigger(State& state);
  HResult Start(const RCPtr<LThreadWorker>& worker, const RCPtr<LRefCountedObject>& parameters,
                const RCPtr<LEvent>& doneEvent, int32_t priority);

  std::shared_ptr<State> mState;
  Thread mThread;
  mutable std::mutex mNameLock;
  StringW mName;
};

}  // namespace HV
