#include "HVFramework/Utilities/Storage/PooledObject.h"
#include "HVFramework/Utilities/Storage/ReuseAllocator.h"

#include <gtest/gtest.h>

#include <cstdint>
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
