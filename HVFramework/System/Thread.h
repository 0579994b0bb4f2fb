#pragma once

#include "HVFramework/Platform/Core/NativeThread.h"
#include "HVFramework/System/WaitCodes.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace HV {

// The framework's seven thread priority levels.
struct ThreadPriority {
  static constexpr int32_t Idle = -15;
  static constexpr int32_t Lowest = -2;
  static constexpr int32_t BelowNormal = -1;
  static constexpr int32_t Normal = 0;
  static constexpr int32_t AboveNormal = 1;
  static constexpr int32_t Highest = 2;
  static constexpr int32_t TimeCritical = 15;
};

// Thread: owns one system thread, created suspended: the owner configures it
// and then calls Resume. Destroying a Thread neither waits for the thread nor
// ends it. When the system refuses the thread, every operation fails
// (Resume answers -1, waits never see it end).
class Thread {
 public:
  using StartRoutine = std::function<uint32_t()>;

  explicit Thread(StartRoutine routine);
  virtual ~Thread() = default;
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // The suspend count before the call, or -1.
  int32_t Resume();
  bool HasTerminated() { return Wait(0); }
  // True when the thread ended within the time-out. On the thread itself
  // answers false at once.
  bool Wait(uint32_t milliseconds);
  bool SetPriority(int32_t priority);
  int32_t GetPriority() const;
  // Recorded only: there is no priority boost to switch.
  bool SetPriorityBoost(bool enable);

  bool IsValid() const { return mNative != nullptr; }
  bool IsCurrentThread() const { return mNative && mNative->IsCurrentThread(); }
  uint32_t GetThreadId() const { return mNative ? mNative->GetId() : 0; }

 private:
  std::unique_ptr<Platform::NativeThread> mNative;
};

}  // namespace HV
