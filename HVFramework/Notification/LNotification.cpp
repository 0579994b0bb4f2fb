#include "HVFramework/Notification/LNotification.h"

#include "HVFramework/Notification/NotificationNames.h"
#include "HVFramework/System/MutexLocker.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace HV {

namespace {

// The spare pool is a stack in two tiers: each thread keeps a few spares of
// its own (ThreadSpares), taken and returned by that thread alone with no
// lock and no interlocked operation, in front of the process-wide stack
// guarded by the global notification lock. A spare holds one reference, the
// pool's: the reference of the release that recycled it, handed on as it is,
// and handed on again to the RCPtr that Create returns.
//
// Switching the pool off empties the process-wide stack and the caller's
// cache at once and starts a new pool generation; a thread's cache filled in
// an older generation is no longer counted nor handed out, and the thread
// destroys its spares the next time it makes or releases a notification, or
// when it ends.
struct ThreadSpares {
  static constexpr uint32_t kCapacity = 32;

  LNotification* items[kCapacity];      // the newest last; only the owning thread reads them
  std::atomic<uint32_t> count{0};       // read by GetPoolCount under the global lock
  std::atomic<uint32_t> generation{0};  // the pool generation of the spares held

  uint32_t Count() const { return count.load(std::memory_order_relaxed); }
  void SetCount(uint32_t value) { count.store(value, std::memory_order_relaxed); }
};

// The process-wide tier and the list of the threads' caches, guarded by the
// global notification lock. Made on first use and never destroyed, like the
// name table: notifications released while the process exits still find it.
struct SparePool {
  std::vector<LNotification*> stack;  // the newest last
  std::vector<ThreadSpares*> caches;
};

SparePool& GetSparePool() {
  static auto* const pool = new SparePool;
  return *pool;
}

// Both written under the global notification lock.
std::atomic<bool> gPoolEnabled{false};
std::atomic<uint32_t> gPoolGeneration{0};

// This thread's cache: made on first use, handed to the process-wide tier
// when the thread ends; null from then on (the thread then uses the
// process-wide tier alone).
thread_local ThreadSpares* tSpares = nullptr;
thread_local bool tSparesRetired = false;

// The global lock is held: whether the cache's spares belong to the pool.
bool IsCurrentLocked(const ThreadSpares& cache) {
  return gPoolEnabled.load(std::memory_order_relaxed) &&
         cache.generation.load(std::memory_order_relaxed) == gPoolGeneration.load(std::memory_order_relaxed);
}

// The owning thread: moves the cache's spares into out, emptying it.
void EmptyCache(ThreadSpares& cache, std::vector<LNotification*>& out) {
  out.insert(out.end(), cache.items, cache.items + cache.Count());
  cache.SetCount(0);
}

// Drops the pool's references: the spares are destroyed, not recycled again
// (their payloads went when they were recycled).
void DestroySpares(const std::vector<LNotification*>& spares) {
  for (LNotification* spare : spares) spare->LRefCountedObject::Release();
}

// Gives the cache's spares to the process-wide tier (or, when they are of an
// older generation or the pool is off, destroys them) when its thread ends.
struct ThreadSparesRetirer {
  void Arm() {}
  ~ThreadSparesRetirer() {
    ThreadSpares* const cache = std::exchange(tSpares, nullptr);
    tSparesRetired = true;
    if (!cache) return;
    std::vector<LNotification*> dropped;
    {
      MutexLocker lock(&GetNotificationLock());
      SparePool& pool = GetSparePool();
      pool.caches.erase(std::find(pool.caches.begin(), pool.caches.end(), cache));
      EmptyCache(*cache, IsCurrentLocked(*cache) ? pool.stack : dropped);
    }
    delete cache;
    DestroySpares(dropped);
  }
};
thread_local ThreadSparesRetirer tSparesRetirer;

// The slow paths of ThisThreadSpares: the thread's first use, and spares of
// an older generation.
[[gnu::noinline]] ThreadSpares* EnrolThisThread() {
  if (tSparesRetired) return nullptr;
  tSparesRetirer.Arm();  // its destructor now runs when this thread ends
  auto* const cache = new ThreadSpares;
  MutexLocker lock(&GetNotificationLock());
  cache->generation.store(gPoolGeneration.load(std::memory_order_relaxed), std::memory_order_relaxed);
  GetSparePool().caches.push_back(cache);
  return tSpares = cache;
}

[[gnu::noinline]] void DropStaleSpares(ThreadSpares& cache, uint32_t generation) {
  // The pool was switched off since these spares came in: they go now.
  std::vector<LNotification*> stale;
  EmptyCache(cache, stale);
  cache.generation.store(generation, std::memory_order_relaxed);
  DestroySpares(stale);
}

// Destroys this thread's spares when they are of an older generation.
inline void ForgetStaleSpares(ThreadSpares& cache) {
  const uint32_t generation = gPoolGeneration.load(std::memory_order_relaxed);
  if (cache.generation.load(std::memory_order_relaxed) != generation) [[unlikely]]
    DropStaleSpares(cache, generation);
}

// This thread's cache, holding spares of the current generation only.
inline ThreadSpares* ThisThreadSpares() {
  ThreadSpares* const cache = tSpares;
  if (!cache) [[unlikely]]
    return EnrolThisThread();
  ForgetStaleSpares(*cache);
  return cache;
}

// With the pool off: a thread that still holds spares of the time before
// destroys them now.
void ForgetSparesWhileOff() {
  if (ThreadSpares* const cache = tSpares) ForgetStaleSpares(*cache);
}

// The global lock is held: moves up to count spares from the top of the
// process-wide stack into the cache, keeping their order.
void RefillLocked(ThreadSpares& cache, std::vector<LNotification*>& stack, size_t count) {
  const uint32_t held = cache.Count();
  count = std::min({count, stack.size(), size_t{ThreadSpares::kCapacity - held}});
  std::copy(stack.end() - static_cast<std::ptrdiff_t>(count), stack.end(), cache.items + held);
  cache.SetCount(held + static_cast<uint32_t>(count));
  stack.resize(stack.size() - count);
}

// The newest spare, or null when there is none; the caller takes the
// pool's reference.
LNotification* TakeSpare() {
  ThreadSpares* const cache = ThisThreadSpares();
  if (cache && cache->Count() > 0) {
    const uint32_t held = cache->Count() - 1;
    cache->SetCount(held);
    return cache->items[held];
  }
  MutexLocker lock(&GetNotificationLock());
  std::vector<LNotification*>& stack = GetSparePool().stack;
  if (!gPoolEnabled.load(std::memory_order_relaxed) || stack.empty()) return nullptr;
  LNotification* const spare = stack.back();
  stack.pop_back();
  // A thread that takes more than it returns (one that creates what another
  // releases) takes half a cache at a time from the process-wide tier.
  if (cache && IsCurrentLocked(*cache)) RefillLocked(*cache, stack, ThreadSpares::kCapacity / 2);
  return spare;
}

// The global lock is held: moves the oldest half of a full cache to the top
// of the process-wide stack, so the newest spares stay with the thread.
void SpillLocked(ThreadSpares& cache, std::vector<LNotification*>& stack) {
  const uint32_t half = ThreadSpares::kCapacity / 2;
  stack.insert(stack.end(), cache.items, cache.items + half);
  std::copy(cache.items + half, cache.items + cache.Count(), cache.items);
  cache.SetCount(cache.Count() - half);
}

// Keeps notification as a spare, its reference becoming the pool's; false
// when the pool is off.
bool PutSpare(LNotification* notification) {
  if (!gPoolEnabled.load(std::memory_order_relaxed)) {
    ForgetSparesWhileOff();
    return false;
  }
  ThreadSpares* const cache = ThisThreadSpares();
  if (cache && cache->Count() < ThreadSpares::kCapacity) {
    const uint32_t held = cache->Count();
    cache->items[held] = notification;
    cache->SetCount(held + 1);
    return true;
  }
  MutexLocker lock(&GetNotificationLock());
  if (!gPoolEnabled.load(std::memory_order_relaxed)) return false;
  std::vector<LNotification*>& stack = GetSparePool().stack;
  if (!cache || !IsCurrentLocked(*cache)) {
    stack.push_back(notification);
    return true;
  }
  SpillLocked(*cache, stack);
  cache->items[cache->Count()] = notification;
  cache->SetCount(cache->Count() + 1);
  return true;
}

}  // namespace

LNotification::LNotification(const WChar* id, const RCPtr<LRefCountedObject>& payload)
    : mName(id), mPayload(payload) {}

RCPtr<LNotification> LNotification::Create(const WChar* name, const RCPtr<LRefCountedObject>& payload) {
  const WChar* const id = InternNotificationName(name);
  if (!id) return nullptr;
  return CreateInterned(id, payload);
}

RCPtr<LNotification> LNotification::Create(const NotificationName& name, const RCPtr<LRefCountedObject>& payload) {
  const WChar* const id = name.GetId();
  if (!id) return nullptr;
  return CreateInterned(id, payload);
}

RCPtr<LNotification> LNotification::CreateInterned(const WChar* id, const RCPtr<LRefCountedObject>& payload) {
  if (gPoolEnabled.load(std::memory_order_relaxed)) {
    if (LNotification* const spare = TakeSpare()) {
      RCPtr<LNotification> result(spare, AdoptReference{});
      // A spare is held by nobody else now; its old payload went when it was
      // recycled, so setting the new one runs no foreign code.
      if (!spare->IsQueued()) {
        spare->mName = id;
        spare->mPayload = payload;
        return result;
      }
    }
  } else {
    ForgetSparesWhileOff();
  }
  return RCPtr<LNotification>(new LNotification(id, payload));
}

int32_t LNotification::Release() {
  // Only the holder of the last reference can see a count of 1, so this test
  // needs no compare-and-exchange. A recycled notification keeps the count
  // of 1: the releasing reference becomes the pool's.
  if (!mRecycling.load(std::memory_order_relaxed) && GetRefCount() == 1 && Recycle(this)) return 1;
  return LRefCountedObject::Release();
}

bool LNotification::Recycle(LNotification* notification) {
  // The payload's release may run any code, even code that takes and drops
  // this notification: the mark keeps that from recycling it again.
  notification->mRecycling.store(true, std::memory_order_relaxed);
  if (!notification->IsQueued() && notification->mPayload) notification->mPayload = nullptr;
  notification->mRecycling.store(false, std::memory_order_relaxed);
  // Once in the pool another thread may take it at once: nothing touches it
  // after PutSpare.
  return notification->GetRefCount() == 1 && PutSpare(notification);
}

void LNotification::SetPoolEnabled(bool enabled) {
  // Spares are destroyed after the lock is left: their destruction goes
  // through Release, which may take the lock again.
  std::vector<LNotification*> spares;
  {
    MutexLocker lock(&GetNotificationLock());
    gPoolEnabled.store(enabled, std::memory_order_relaxed);
    if (enabled) return;
    gPoolGeneration.fetch_add(1, std::memory_order_relaxed);
    spares.swap(GetSparePool().stack);
    if (ThreadSpares* const cache = tSpares) {
      EmptyCache(*cache, spares);
      cache->generation.store(gPoolGeneration.load(std::memory_order_relaxed), std::memory_order_relaxed);
    }
  }
  DestroySpares(spares);
}

bool LNotification::IsPoolEnabled() { return gPoolEnabled.load(std::memory_order_relaxed); }

uint32_t LNotification::GetPoolCount() {
  MutexLocker lock(&GetNotificationLock());
  const SparePool& pool = GetSparePool();
  size_t count = pool.stack.size();
  for (const ThreadSpares* cache : pool.caches)
    if (IsCurrentLocked(*cache)) count += cache->Count();
  return static_cast<uint32_t>(count);
}

}  // namespace HV
