#pragma once

#include "HVFramework/System/EventPool.h"
#include "HVFramework/System/LEvent.h"
#include "HVFramework/System/LThreadWorker.h"
#include "HVFramework/System/Mutex.h"
#include "HVFramework/System/RetriggerableThreader.h"
#include "HVFramework/Utilities/Storage/PooledObject.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace HV {

// LThreadPool: runs work items (a worker, its parameters, a priority) on a
// fixed set of worker threads. An item starts at once on a free worker;
// otherwise it waits in a queue ordered by priority (highest first, equal
// priorities in arrival order) until the pool's queue threader hands it to
// the next worker that becomes free. A worker that ends an item takes the
// next queued one itself and waits again only when the queue is empty, so a
// burst of items costs no thread switch per item. A pool of one thread never
// lets a new item overtake queued ones.
//
// TryRunNow, QueueWork and Stop may be called from any thread. The pool's
// lock guards the queue and every inspection or trigger of a worker; no
// worker code runs under it. After Stop (which the destructor calls) no item
// runs and new ones are dropped.
class LThreadPool : public LThreadWorker {
 public:
  // One queued item. Items come from a thread-safe reuse pool: the capture
  // layer makes one per MIDI message while the worker is busy.
  class LWorkerParams : public virtual LRefCountedObject, public PooledObject<LWorkerParams, 1, true> {
   public:
    LWorkerParams(const RCPtr<LThreadWorker>& worker, const RCPtr<LRefCountedObject>& parameters,
                  int32_t priority);

    RCPtr<LThreadWorker> mWorker;
    RCPtr<LRefCountedObject> mParameters;
    int32_t mPriority;
    StringW mWorkerName;  // the worker's text, taken outside the pool's lock
  };

  // The thread count is held to kMaximumWaitObjects: the queue threader
  // waits on one free event per worker. A pool of 0 threads runs nothing.
  static RCPtr<LThreadPool> Create(uint32_t threadCount, int32_t queueThreaderPriority);
  ~LThreadPool() override;

  // The index of the worker thread that took the item, or -1 when none did.
  int32_t TryRunNow(const RCPtr<LThreadWorker>& worker, const RCPtr<LRefCountedObject>& parameters,
                    int32_t priority);
  // Runs the item now when a worker is free, else queues it; a stopped pool
  // drops it.
  void QueueWork(const RCPtr<LThreadWorker>& worker, const RCPtr<LRefCountedObject>& parameters,
                 int32_t priority);
  // The queue threader's run; nobody else calls it.
  int32_t DoWork(RCPtr<LRefCountedObject>& parameters) override;
  // Drops queued items, lets the runs in progress finish and ends every thread.
  void Stop();

  bool IsStopped() const { return mThreadCount.load() <= 0; }

 protected:
  LThreadPool(uint32_t threadCount, int32_t queueThreaderPriority);

 private:
  // One item on its way to a worker thread.
  struct WorkItem {
    const RCPtr<LThreadWorker>& worker;
    const RCPtr<LRefCountedObject>& parameters;
    int32_t priority;
    const StringW& name;
  };

  // What a worker thread runs: the item it was triggered with, then queued
  // items until the queue is empty.
  class LWorkerRun : public LThreadWorker {
   public:
    LWorkerRun(LThreadPool& pool, uint32_t index) : mPool(&pool), mIndex(index) {}
    int32_t DoWork(RCPtr<LRefCountedObject>& parameters) override;
    // The pool is going: a run in progress takes nothing more from it.
    void Detach() { mPool.store(nullptr); }

   private:
    // Null once the pool's destructor has begun. Releasing an item's worker
    // can end the pool's owner, and with it the pool, on this very thread:
    // the run looks here after every release before it touches the pool.
    std::atomic<LThreadPool*> mPool;
    const uint32_t mIndex;
  };

  bool IsQueueSorted() const;
  // Whether TryRunNow may find a worker for a new item at all.
  bool CanRunNow();
  bool IsQueueEmpty() const { return mQueue.empty(); }
  void Enqueue(RCPtr<LWorkerParams> item);
  // Worker index's run: its first item, then the queue.
  // Takes the queue's next item into `item` and runs it on worker `index`;
  // false when there is none. The caller releases the item.
  bool RunNextItem(uint32_t index, RCPtr<LWorkerParams>& item);
  RCPtr<LThreadWorker> TakeFirstWorker(uint32_t index);
  RCPtr<LWorkerParams> TakeNextItem();
  // Under the lock: hands the highest queued item to a free worker.
  bool DispatchQueuedItem();
  int32_t TriggerWorker(uint32_t index, const WorkItem& item);
  void StartQueueThreader();
  void StopThreader(RetriggerableThreader& threader);

  std::atomic<int32_t> mThreadCount;
  const uint32_t mWorkerCount;
  std::unique_ptr<RetriggerableThreader[]> mWorkers;
  std::vector<RCPtr<LWorkerRun>> mRuns;  // one per worker
  // The worker each worker's run starts with; guarded by mLock.
  std::vector<RCPtr<LThreadWorker>> mFirstWorkers;
  EventPool mFreeEvents;  // event i is set when worker i ends a run
  RetriggerableThreader mQueueThreader;
  RCPtr<LEvent> mQueueThreaderIdle;  // the queue threader's done event
  Mutex mLock;
  // Descending priority; among equal priorities the oldest first, so the
  // front is the next item to run and a new item of the lowest priority
  // queued goes in at the back.
  std::deque<RCPtr<LWorkerParams>> mQueue;
  // Whether a queue threader run has been started and has not yet found the
  // queue empty. Guarded by mLock.
  bool mQueueThreaderActive = false;
  const int32_t mQueueThreaderPriority;
};

}  // namespace HV
