#include "HVFramework/System/Thread.h"

namespace HV {

Thread::Thread(StartRoutine routine) : mNative(Platform::NativeThread::CreateSuspended(std::move(routine))) {}

int32_t Thread::Resume() { return mNative ? mNative->Resume() : -1; }

bool Thread::Wait(uint32_t milliseconds) {
  return mNative && mNative->WaitForEnd(milliseconds) == kWaitObject0;
}

bool Thread::SetPriority(int32_t priority) { return mNative && mNative->SetPriority(priority); }

int32_t Thread::GetPriority() const { return mNative ? mNative->GetPriority() : ThreadPriority::Normal; }

bool Thread::SetPriorityBoost(bool /*enable*/) { return mNative != nullptr; }

}  // namespace HV
