#include "HVFramework/Platform/Midi/MidiCallbackDispatcher.h"

#include "HVFramework/Platform/Core/PlatformTrace.h"

namespace HV::Platform {

LMidiCallbackDispatcher::LMidiCallbackDispatcher() : mThread([this] { Run(); }) {}

void LMidiCallbackDispatcher::Shutdown() {
  {
    std::lock_guard lock(mMutex);
    mStopping = true;
    mQueue.clear();
  }
  mChanged.notify_all();
  if (mThread.joinable()) mThread.join();
}

void LMidiCallbackDispatcher::PostAt(uint64_t key, Clock::time_point due, Work work) {
  {
    std::lock_guard lock(mMutex);
    if (mStopping) return;
    mQueue.emplace(due, Item{key, std::move(work)});
  }
  mChanged.notify_all();
}

void LMidiCallbackDispatcher::Drop(uint64_t key) {
  {
    std::lock_guard lock(mMutex);
    std::erase_if(mQueue, [key](const auto& entry) { return entry.second.key == key; });
  }
  mChanged.notify_all();
}

void LMidiCallbackDispatcher::WaitUntilIdle() {
  if (IsDispatcherThread()) return;
  std::unique_lock lock(mMutex);
  mChanged.wait(lock, [this] { return IsIdle() || mStopping; });
}

// A callback that throws has nobody to report to on this thread: the
// exception ends with it (traced), and the reports after it still run.
void LMidiCallbackDispatcher::RunOne(Work& work) {
  LPlatformTrace::RunGuarded("A MIDI callback", work);
  work = nullptr;  // captured state goes before the lock is taken again
}

void LMidiCallbackDispatcher::Run() {
  std::unique_lock lock(mMutex);
  while (!mStopping) {
    if (mQueue.empty()) {
      mChanged.wait(lock);
      continue;
    }
    const auto first = mQueue.begin();
    const Clock::time_point due = first->first;  // the entry may go while waiting
    if (due > Clock::now()) {
      mChanged.wait_until(lock, due);
      continue;
    }
    Work work = std::move(first->second.work);
    mQueue.erase(first);
    mRunning = true;
    lock.unlock();
    RunOne(work);
    lock.lock();
    mRunning = false;
    mChanged.notify_all();
  }
}

}  // namespace HV::Platform
