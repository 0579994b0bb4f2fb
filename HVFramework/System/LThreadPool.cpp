#include "HVFramework/System/LThreadPool.h"

#include "HVFramework/System/MutexLocker.h"

#include <algorithm>
#include <cassert>

namespace HV {
namespace {

StringW NameOf(const RCPtr<LThreadWorker>& worker) { return worker ? worker->ToString() : StringW(); }

}  // namespace

LThreadPool::LWorkerParams::LWorkerParams(const RCPtr<LThreadWorker>& worker,
                                          const RCPtr<LRefCountedObject>& parameters, int32_t priority)
    : mWorker(worker), mParameters(parameters), mPriority(priority), mWorkerName(NameOf(worker)) {}

RCPtr<LThreadPool> LThreadPool::Create(uint32_t threadCount, int32_t queueThreaderPriority) {
  return RCPtr<LThreadPool>(
      new LThreadPool(std::min(threadCount, kMaximumWaitObjects), queueThreaderPriority));
}

LThreadPool::LThreadPool(uint32_t threadCount, int32_t queueThreaderPriority)
    : mThreadCount(static_cast<int32_t>(threadCount)),
      mWorkerCount(threadCount),
      mWorkers(std::make_unique<RetriggerableThreader[]>(threadCount)),
      mFirstWorkers(threadCount),
      mFreeEvents(threadCount),
      mQueueThreaderIdle(LEvent::Create()),
      mQueueThreaderPriority(queueThreaderPriority) {
  for (uint32_t k = 0; k < threadCount; ++k) mRuns.emplace_back(new LWorkerRun(*this, k));
  mQueueThreaderIdle->Set();
  mQueueThreader.SetName(u"LThreadPool::mQueueThreader");
}

LThreadPool::~LThreadPool() {
  for (const RCPtr<LWorkerRun>& run : mRuns) run->Detach();
  Stop();
}

int32_t LThreadPool::TriggerWorker(uint32_t index, const WorkItem& item) {
  RetriggerableThreader& thread = mWorkers[index];
  thread.SetName(item.name);
  mFirstWorkers[index] = item.worker;
  const HResult result =
      thread.Trigger(mRuns[index], item.parameters, mFreeEvents.GetEvent(index), item.priority);
  if (Succeeded(result)) return static_cast<int32_t>(index);
  mFirstWorkers[index] = nullptr;
  return -1;
}

int32_t LThreadPool::LWorkerRun::DoWork(RCPtr<LRefCountedObject>& parameters) {
  LThreadPool* pool = mPool.load();
  if (!pool) return 0;
  RCPtr<LThreadWorker> first = pool->TakeFirstWorker(mIndex);
  if (first) first->DoWork(parameters);
  // Items are released outside the lock: a worker's destructor may do
  // anything, even end the pool, so the pool is looked up again after each.
  first = nullptr;
  RCPtr<LWorkerParams> item;
  while ((pool = mPool.load()) && pool->RunNextItem(mIndex, item)) item = nullptr;
  return 0;
}

RCPtr<LThreadWorker> LThreadPool::TakeFirstWorker(uint32_t index) {
  MutexLocker lock(&mLock);
  return std::move(mFirstWorkers[index]);
}

bool LThreadPool::RunNextItem(uint32_t index, RCPtr<LWorkerParams>& item) {
  item = TakeNextItem();
  if (!item) return false;
  RetriggerableThreader& thread = mWorkers[index];
  thread.SetName(item->mWorkerName);
  thread.GetThread().SetPriority(item->mPriority);
  if (item->mWorker) item->mWorker->DoWork(item->mParameters);
  return true;
}

RCPtr<LThreadPool::LWorkerParams> LThreadPool::TakeNextItem() {
  MutexLocker lock(&mLock);
  if (IsStopped() || IsQueueEmpty()) return nullptr;
  RCPtr<LWorkerParams> item = std::move(mQueue.front());
  mQueue.pop_front();
  return item;
}

int32_t LThreadPool::TryRunNow(const RCPtr<LThreadWorker>& worker, const RCPtr<LRefCountedObject>& parameters,
                               int32_t priority) {
  if (!CanRunNow()) return -1;          // spares the worker's text when the item will queue
  const StringW name = NameOf(worker);  // outside the lock: it calls out to the worker
  const WorkItem item{worker, parameters, priority, name};
  // The count is read again for every worker: Stop may come in between.
  for (int32_t j = 0; j < mThreadCount.load(); ++j) {
    MutexLocker lock(&mLock);
    if (!IsQueueEmpty() && mThreadCount.load() == 1) return -1;
    if (mWorkers[j].IsBusy()) continue;
    const int32_t taken = TriggerWorker(static_cast<uint32_t>(j), item);
    if (taken >= 0) return taken;
  }
  return -1;
}

bool LThreadPool::CanRunNow() {
  MutexLocker lock(&mLock);
  const int32_t count = mThreadCount.load();
  if (count <= 0 || (!IsQueueEmpty() && count == 1)) return false;
  for (int32_t j = 0; j < count; ++j)
    if (!mWorkers[j].IsBusy()) return true;
  return false;
}

void LThreadPool::QueueWork(const RCPtr<LThreadWorker>& worker, const RCPtr<LRefCountedObject>& parameters,
                            int32_t priority) {
  if (TryRunNow(worker, parameters, priority) >= 0) return;
  if (IsStopped()) return;

  RCPtr<LWorkerParams> item(new LWorkerParams(worker, parameters, priority));
  bool mustStart = false;
  {
    MutexLocker lock(&mLock);
    Enqueue(std::move(item));
    mustStart = !mQueueThreaderActive;
    mQueueThreaderActive = true;
  }
  if (mustStart) StartQueueThreader();
}

void LThreadPool::Enqueue(RCPtr<LWorkerParams> item) {
  // From the back: the usual item has the priority of those before it and
  // goes in at the end at once.
  auto at = mQueue.end();
  while (at != mQueue.begin() && (*std::prev(at))->mPriority < item->mPriority) --at;
  mQueue.insert(at, std::move(item));
  assert(IsQueueSorted());
}

void LThreadPool::StartQueueThreader() {
  // The previous run has decided to end (it cleared mQueueThreaderActive
  // under the lock) but may not have finished: its end sets the idle event,
  // and only then does its threader accept a trigger. Waited for without the
  // lock, which that run's last steps may still need.
  mQueueThreaderIdle->Wait(kInfinite);
  RCPtr<LThreadPool> self(this);
  mQueueThreader.Trigger(self, self, mQueueThreaderIdle, mQueueThreaderPriority);
}

int32_t LThreadPool::DoWork(RCPtr<LRefCountedObject>& /*parameters*/) {
  // A free worker is looked for before every wait, so a free event consumed
  // by an earlier run cannot leave an item waiting while a worker idles. After
  // handing out the last item the run still waits for a worker to end a run
  // before it ends, as its pool reference keeps the pool alive meanwhile.
  bool dispatched = false;  // since the last wait
  for (;;) {
    {
      MutexLocker lock(&mLock);
      if (IsStopped() || (IsQueueEmpty() && !dispatched)) {
        mQueueThreaderActive = false;
        return 0;
      }
      if (!IsQueueEmpty() && DispatchQueuedItem()) {
        dispatched = true;
        continue;
      }
    }
    // Stop sets every free event, so this wait cannot outlast the pool.
    if (mFreeEvents.WaitForAny(kInfinite) < 0) {
      MutexLocker lock(&mLock);
      mQueueThreaderActive = false;
      return 0;
    }
    dispatched = false;
  }
}

bool LThreadPool::DispatchQueuedItem() {
  for (uint32_t k = 0; k < mWorkerCount; ++k) {
    if (mWorkers[k].IsBusy()) continue;
    RCPtr<LWorkerParams> item = std::move(mQueue.front());
    mQueue.pop_front();
    TriggerWorker(
        k, {item->mWorker, item->mParameters, item->mPriority, item->mWorkerName});  // a refusal drops it
    return true;
  }
  return false;
}

bool LThreadPool::IsQueueSorted() const {
  return std::is_sorted(mQueue.begin(), mQueue.end(),
                        [](const RCPtr<LWorkerParams>& a, const RCPtr<LWorkerParams>& b) {
                          return a->mPriority > b->mPriority;
                        });
}

void LThreadPool::StopThreader(RetriggerableThreader& threader) {
  {
    MutexLocker lock(&mLock);  // serialises with the triggers made under it
    threader.RequestStop();
  }
  threader.WaitForThread(RetriggerableThreader::kStopWaitMilliseconds);
}

void LThreadPool::Stop() {
  mThreadCount.store(0);
  std::deque<RCPtr<LWorkerParams>> dropped;
  {
    MutexLocker lock(&mLock);
    dropped.swap(mQueue);
  }
  dropped.clear();  // released outside the lock: a worker's destructor may do anything

  // A queue threader waiting for a free worker must see the stop.
  for (uint32_t k = 0; k < mWorkerCount; ++k) mFreeEvents.GetEvent(k)->Set();
  StopThreader(mQueueThreader);
  for (uint32_t k = mWorkerCount; k-- > 0;) StopThreader(mWorkers[k]);
}

}  // namespace HV
