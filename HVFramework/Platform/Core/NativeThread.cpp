#include "HVFramework/Platform/Core/NativeThread.h"

#include <system_error>

namespace HV::Platform {
namespace {

std::atomic<uint32_t> gNextThreadId{1};

}  // namespace

NativeThread::NativeThread()
    : mGate(EventHub::Get().CreateEvent(ResetMode::Manual)),
      mEnd(EventHub::Get().CreateEvent(ResetMode::Manual)),
      mId(gNextThreadId.fetch_add(1)) {}

std::unique_ptr<NativeThread> NativeThread::CreateSuspended(Routine routine) {
  std::unique_ptr<NativeThread> thread(new NativeThread());
  // The thread holds its own references to the gate and the end, so it never
  // touches this object, which its owner may destroy at any time.
  auto body = [gate = thread->mGate, end = thread->mEnd, routine = std::move(routine)] {
    EventHub& hub = EventHub::Get();
    hub.Wait(gate, kInfinite);
    routine();
    hub.Set(end);
  };
  try {
    thread->mThread = std::thread(std::move(body));
  } catch (const std::system_error&) {
    return nullptr;
  }
  return thread;
}

NativeThread::~NativeThread() {
  if (!mThread.joinable()) return;
  // An ended routine leaves only the thread's last instructions to run, so
  // the join is short; a running thread, or this very thread, is let go.
  if (!IsCurrentThread() && EventHub::Get().Wait(mEnd, 0) == kWaitObject0)
    mThread.join();
  else
    mThread.detach();
}

int32_t NativeThread::Resume() {
  if (mResumed.exchange(true)) return 0;
  EventHub::Get().Set(mGate);
  return 1;
}

uint32_t NativeThread::WaitForEnd(uint32_t milliseconds) const {
  if (IsCurrentThread()) return kWaitTimeout;
  return EventHub::Get().Wait(mEnd, milliseconds);
}

bool NativeThread::IsValidPriority(int32_t priority) {
  switch (priority) {
    case -15: case -2: case -1: case 0: case 1: case 2: case 15:
      return true;
    default:
      return false;
  }
}

bool NativeThread::SetPriority(int32_t priority) {
  if (!IsValidPriority(priority)) return false;
  mPriority.store(priority);
  return true;
}

}  // namespace HV::Platform
