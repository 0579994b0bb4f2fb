#pragma once

#include "HVFramework/System/Event.h"
#include "HVFramework/System/LThreadWorker.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace HV::Test {

// The order in which workers ran, shared by several of them.
class RunLog {
 public:
  // Notifies under the lock: a test may destroy the log as soon as its
  // WaitFor returns, while a worker thread would still be notifying.
  void Add(const std::u16string& name) {
    std::lock_guard lock(mMutex);
    mNames.push_back(name);
    mChanged.notify_all();
  }
  // Blocks until at least count runs were logged, and returns the log.
  std::vector<std::u16string> WaitFor(size_t count) {
    std::unique_lock lock(mMutex);
    mChanged.wait(lock, [&] { return mNames.size() >= count; });
    return mNames;
  }

 private:
  std::mutex mMutex;
  std::condition_variable mChanged;
  std::vector<std::u16string> mNames;
};

enum class Hold { No, UntilReleased };

// A worker that logs each run, signals its start, and (when told to) holds
// its thread until the test releases it: the way tests keep a thread busy.
class RecordingWorker : public LThreadWorker {
 public:
  // The log is shared: a worker thread may still be leaving Add when the
  // test that waited for the entry ends.
  static RCPtr<RecordingWorker> Create(const std::shared_ptr<RunLog>& log, std::u16string name,
                                       Hold hold = Hold::No) {
    return RCPtr<RecordingWorker>(new RecordingWorker(log, std::move(name), hold));
  }

  int32_t DoWork(RCPtr<LRefCountedObject>& parameters) override {
    mLastParameters = parameters.Get();
    mRuns.fetch_add(1);
    mLog->Add(mName);
    mStarted.Set();
    if (mHold == Hold::UntilReleased) mRelease.Wait(kInfinite);
    mFinished.Set();
    return 0;
  }
  StringW ToString() const override { return StringW(mName.c_str()); }

  bool WaitStarted() { return mStarted.Wait(kInfinite) == kWaitObject0; }
  void FinishRun() { mRelease.Set(); }
  // Waits until a run has returned from its hold (DoWork itself may still be returning).
  bool WaitFinished() { return mFinished.Wait(kInfinite) == kWaitObject0; }
  int RunCount() const { return mRuns.load(); }
  const LRefCountedObject* LastParameters() const { return mLastParameters.load(); }

 private:
  RecordingWorker(std::shared_ptr<RunLog> log, std::u16string name, Hold hold)
      : mLog(std::move(log)), mName(std::move(name)), mHold(hold) {}

  const std::shared_ptr<RunLog> mLog;
  const std::u16string mName;
  const Hold mHold;
  Event mStarted{true};
  Event mRelease{true};
  Event mFinished{true};
  std::atomic<int> mRuns{0};
  std::atomic<const LRefCountedObject*> mLastParameters{nullptr};
};

}  // namespace HV::Test
