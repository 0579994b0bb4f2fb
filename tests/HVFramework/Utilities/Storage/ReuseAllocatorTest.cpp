#include "HVFramework/Utilities/Storage/PooledObject.h"
#include "HVFramework/Utilities/Storage/ReuseAllocator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <new>
#include <set>
#include <thread>
#include <vector>

namespace HV {
namespace {

struct Params {
  double x;
  int64_t y;
};

TEST(ReuseAllocator, ReusesTheMostRecentlyFreedBlockFirst) {
  ReuseAllocator<Params, 4> pool(false);
  void* a = pool.Allocate(sizeof(Params));
  void* b = pool.Allocate(sizeof(Params));
  void* c = pool.Allocate(sizeof(Params));
  pool.Free(b);
  EXPECT_EQ(pool.Allocate(sizeof(Params)), b);
  pool.Free(a);
  pool.Free(c);
  EXPECT_EQ(pool.Allocate(sizeof(Params)), c);
  EXPECT_EQ(pool.Allocate(sizeof(Params)), a);
  EXPECT_EQ(pool.GetBlockCount(), 3u);
  for (void* p : {a, b, c}) pool.Free(p);
}

// The heap for the block list, able to run out on demand; counts every call
// that would take memory.
class ExhaustibleAllocator : public IAllocator {
 public:
  void* Allocate(size_t bytes) override { return Take() ? std::malloc(bytes) : nullptr; }
  void* AllocateZeroed(size_t count, size_t size) override {
    return Take() ? std::calloc(count, size) : nullptr;
  }
  void* Reallocate(void* block, size_t bytes) override {
    return Take() ? std::realloc(block, bytes) : nullptr;
  }
  void Free(void* block) override { std::free(block); }

  bool exhausted = false;
  int calls = 0;

 private:
  bool Take() {
    ++calls;
    return !exhausted;
  }
};

ExhaustibleAllocator& Exhaustible() {
  static ExhaustibleAllocator allocator;
  return allocator;
}
IAllocator* GetExhaustibleAllocator() { return &Exhaustible(); }

// Free runs inside operator delete: with memory gone it must still take the
// block back, and the blocks it took are handed out again without memory.
TEST(ReuseAllocator, FreeingNeverAllocatesEvenWithMemoryGone) {
  ExhaustibleAllocator& heap = Exhaustible();
  heap.exhausted = false;
  using Pool = ReuseAllocator<Params, 1, GetExhaustibleAllocator>;
  Pool pool(false);
  // As many blocks as the list holds before it must grow.
  std::vector<void*> blocks;
  for (uint32_t i = 0; i < Pool::kListStep; ++i) blocks.push_back(pool.Allocate(sizeof(Params)));

  heap.exhausted = true;
  heap.calls = 0;
  for (void* block : blocks) EXPECT_NO_THROW(pool.Free(block));
  for (void*& block : blocks) block = pool.Allocate(sizeof(Params));
  EXPECT_EQ(heap.calls, 0);
  EXPECT_EQ(pool.GetBlockCount(), Pool::kListStep);
  // A block beyond those needs the list to grow: refused, nothing taken.
  EXPECT_THROW(pool.Allocate(sizeof(Params)), std::bad_alloc);
  EXPECT_EQ(pool.GetBlockCount(), Pool::kListStep);

  heap.exhausted = false;
  for (void* block : blocks) pool.Free(block);
}

TEST(ReuseAllocator, KeepsObjectsAlignedOnBothPaths) {
  ReuseAllocator<Params, 1> pool(false);
  for (size_t size : {sizeof(Params), sizeof(Params) + 24}) {
    void* p = pool.Allocate(size);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % alignof(std::max_align_t), 0u) << size;
    pool.Free(p);
  }
}

TEST(ReuseAllocator, OtherSizesNeverEnterThePool) {
  ReuseAllocator<Params, 1> pool(false);
  void* bigger = pool.Allocate(sizeof(Params) + 8);
  EXPECT_EQ(pool.GetBlockCount(), 0u);
  pool.Free(bigger);  // goes back to the heap; ASan reports a leak or a bad free otherwise
  EXPECT_EQ(pool.GetBlockCount(), 0u);
  void* pooled = pool.Allocate(sizeof(Params));
  EXPECT_NE(pooled, nullptr);
  pool.Free(pooled);
}

class Widget : public PooledObject<Widget, 4, true> {
 public:
  virtual ~Widget() = default;
  int64_t mValue = 0;
};
class BigWidget : public Widget {
 public:
  char mMore[40] = {};
};

TEST(PooledObject, ClassesAllocateThroughTheirProcessPool) {
  Widget* first = new Widget();
  delete first;
  Widget* second = new Widget();
  EXPECT_EQ(second, first);
  Widget* big = new BigWidget();  // another size: outside the pool
  delete big;
  delete second;
  EXPECT_GE(Widget::GetPool().GetBlockCount(), 1u);
}

// Threads take and give back blocks at once; no two live objects may share one.
TEST(ReuseAllocatorThreads, ConcurrentUseHandsOutEachBlockOnce) {
  ReuseAllocator<Params, 4> pool(true);
  constexpr int kThreads = 4;
  constexpr int kRounds = 2000;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&pool, t] {
      std::vector<Params*> mine;
      for (int round = 0; round < kRounds; ++round) {
        auto* p = static_cast<Params*>(pool.Allocate(sizeof(Params)));
        p->y = t;
        mine.push_back(p);
        if (round % 3 == 2) {
          for (Params* q : mine) {
            EXPECT_EQ(q->y, t);
            pool.Free(q);
          }
          mine.clear();
        }
      }
      for (Params* q : mine) pool.Free(q);
    });
  for (std::thread& t : threads) t.join();
  EXPECT_LE(pool.GetBlockCount(), static_cast<uint32_t>(kThreads * 3));
}

}  // namespace
}  // namespace HV
