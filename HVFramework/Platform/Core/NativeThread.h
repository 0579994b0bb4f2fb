#pragma once

#include "HVFramework/Platform/Core/EventHub.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

namespace HV::Platform {

// NativeThread: one system thread that starts suspended behind a resume gate
// and runs its routine once resumed. Its end is a waitable object (manual
// reset, set when the routine has returned), so "has terminated" is a wait.
//
// Priorities are the framework's seven levels; they are recorded, not given
// to the scheduler (raising a thread's priority needs privileges a desktop
// program does not have). Priority boost does not exist here.
//
// Destroying the object neither waits for the thread nor ends it: a thread
// that has ended is joined, one that still runs is detached and keeps what
// its routine captured.
class NativeThread {
 public:
  using Routine = std::function<uint32_t()>;

  // Null when the system refuses another thread.
  static std::unique_ptr<NativeThread> CreateSuspended(Routine routine);
  ~NativeThread();
  NativeThread(const NativeThread&) = delete;
  NativeThread& operator=(const NativeThread&) = delete;

  // The suspend count before the call: 1 the first time, then 0.
  int32_t Resume();

  // The end of the routine; waits on it answer kWaitObject0 once it returned.
  const WaitHandle& GetEndHandle() const { return mEnd; }
  // A wait on the thread's end. On the thread itself it answers kWaitTimeout
  // at once: a thread cannot outwait itself.
  uint32_t WaitForEnd(uint32_t milliseconds) const;
  bool IsCurrentThread() const { return std::this_thread::get_id() == mThread.get_id(); }

  bool SetPriority(int32_t priority);
  int32_t GetPriority() const { return mPriority.load(); }
  uint32_t GetId() const { return mId; }

  static bool IsValidPriority(int32_t priority);

 private:
  NativeThread();

  WaitHandle mGate;
  WaitHandle mEnd;
  std::thread mThread;
  std::atomic<bool> mResumed{false};
  std::atomic<int32_t> mPriority{0};
  uint32_t mId;
};

}  // namespace HV::Platform
