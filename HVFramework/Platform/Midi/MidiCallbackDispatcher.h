#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace HV::Platform {

// LMidiCallbackDispatcher: the MIDI layer's own thread. Runs posted work in
// order of due time (posting order among equal times), one item at a time,
// without holding its lock. Each item carries a key (a device handle) so the
// work of a closed handle can be dropped.
class LMidiCallbackDispatcher {
 public:
  using Clock = std::chrono::steady_clock;
  using Work = std::function<void()>;

  LMidiCallbackDispatcher();
  ~LMidiCallbackDispatcher() { Shutdown(); }

  // Drops what is still queued and joins the thread; later posts are ignored.
  // Owners whose work items use them call it before they go. Not from the
  // dispatcher thread itself.
  void Shutdown();

  void Post(uint64_t key, Work work) { PostAt(key, Clock::time_point::min(), std::move(work)); }
  void PostAt(uint64_t key, Clock::time_point due, Work work);
  // Forgets the queued work of `key`; work that is running goes on.
  void Drop(uint64_t key);
  // Blocks until the queue is empty and nothing runs (returns at once when
  // called on the dispatcher thread).
  void WaitUntilIdle();
  bool IsDispatcherThread() const { return std::this_thread::get_id() == mThread.get_id(); }

  LMidiCallbackDispatcher(const LMidiCallbackDispatcher&) = delete;
  LMidiCallbackDispatcher& operator=(const LMidiCallbackDispatcher&) = delete;

 private:
  struct Item {
    uint64_t key;
    Work work;
  };

  void Run();
  static void RunOne(Work& work);
  bool IsIdle() const { return mQueue.empty() && !mRunning; }

  std::mutex mMutex;
  std::condition_variable mChanged;
  std::multimap<Clock::time_point, Item> mQueue;
  bool mRunning = false;
  bool mStopping = false;
  std::thread mThread;  // last: starts once the rest is built
};

}  // namespace HV::Platform
