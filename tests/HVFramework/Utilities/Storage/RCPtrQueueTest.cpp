#include "HVFramework/Utilities/Storage/RCPtrQueue.h"
#include "tests/support/Probe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include <stdexcept>
#include <thread>

namespace HV::Test {
class Ticket : public virtual LRefCountedObject {
 public:
  explicit Ticket(int number) : mNumber(number) {}
  int mNumber;
};
}  // namespace HV::Test

namespace HV {
namespace {

using Test::Ticket;
using ::testing::HasSubstr;
using ::testing::StartsWith;

RCPtr<Ticket> Make(int number) { return RCPtr<Ticket>(new Ticket(number)); }

// Fill a ring to the brim at every head position (so every wrap phase), push
// one more to make it grow, and read everything back in order.
TEST(RCPtrQueue, KeepsOrderAcrossGrowthAtEveryRingPhase) {
  constexpr uint32_t kCapacity = 8;
  for (uint32_t phase = 0; phase < kCapacity; ++phase) {
    SCOPED_TRACE(phase);
    RCPtrQueue<Ticket, 4> queue(nullptr, kCapacity);
    for (uint32_t i = 0; i < phase; ++i) queue.Enqueue(Make(-1));
    for (uint32_t i = 0; i < phase; ++i) queue.Dequeue();
    int next = 0;
    for (uint32_t i = 0; i < kCapacity - 1; ++i) queue.Enqueue(Make(next++));
    EXPECT_EQ(queue.GetCapacity(), kCapacity);
    queue.Enqueue(Make(next++));
    queue.Enqueue(Make(next++));
    EXPECT_EQ(queue.GetCapacity(), kCapacity + 2);
    EXPECT_EQ(queue.GetCount(), static_cast<uint32_t>(next));
    for (int expected = 0; expected < next; ++expected) EXPECT_EQ(queue.Dequeue()->mNumber, expected);
    EXPECT_EQ(queue.GetCount(), 0u);
  }
}

// A backlog far past the first slots, built while the oldest item sits at
// every ring phase, keeps its order; the capacity reported is one more than
// the most items held, never below the capacity built with.
TEST(RCPtrQueue, LongBacklogKeepsOrderAndReportsItsCapacity) {
  for (uint32_t phase : {0u, 1u, 3u}) {
    SCOPED_TRACE(phase);
    RCPtrQueue<Ticket, 4> queue(nullptr, 4);
    for (uint32_t i = 0; i < phase; ++i) queue.Enqueue(Make(-1));
    for (uint32_t i = 0; i < phase; ++i) queue.Dequeue();
    for (int i = 0; i < 1000; ++i) queue.Enqueue(Make(i));
    EXPECT_EQ(queue.GetCapacity(), 1001u);
    for (int i = 0; i < 500; ++i) ASSERT_EQ(queue.Dequeue()->mNumber, i);
    for (int i = 1000; i < 1400; ++i) queue.Enqueue(Make(i));
    EXPECT_EQ(queue.GetCapacity(), 1001u);
    for (int i = 500; i < 1400; ++i) ASSERT_EQ(queue.Dequeue()->mNumber, i);
    EXPECT_EQ(queue.GetCount(), 0u);
  }
}

TEST(RCPtrQueue, HoldsCapacityLessOneBeforeGrowing) {
  RCPtrQueue<Ticket> queue(nullptr, 256);
  for (int i = 0; i < 255; ++i) queue.Enqueue(Make(i));
  EXPECT_EQ(queue.GetCapacity(), 256u);
  queue.Enqueue(Make(255));
  EXPECT_EQ(queue.GetCapacity(), 257u);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(queue.Dequeue()->mNumber, i);
}

// A ring of one slot would hold nothing and lose its first item on growth.
TEST(RCPtrQueue, TinyCapacitiesStartAsATwoSlotRing) {
  for (uint32_t capacity : {0u, 1u}) {
    RCPtrQueue<Ticket> queue(nullptr, capacity);
    EXPECT_EQ(queue.GetCount(), 0u);
    queue.Enqueue(Make(1));
    EXPECT_EQ(queue.GetCapacity(), 2u);
    queue.Enqueue(Make(2));
    EXPECT_EQ(queue.Dequeue()->mNumber, 1);
    EXPECT_EQ(queue.Dequeue()->mNumber, 2);
  }
}

TEST(RCPtrQueue, DequeueOfEmptyQueueThrowsNamingTheInstantiation) {
  RCPtrQueue<Ticket> queue;
  try {
    queue.Dequeue();
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_THAT(error.what(),
                StartsWith("Runtime Error : HV::RCPtrQueue<class HV::Test::Ticket,256>::Dequeue : "));
    EXPECT_THAT(error.what(), HasSubstr("HVFramework/Utilities/Storage/RCPtrQueue.h : Line "));
  }
}

TEST(RCPtrQueue, HandsItsReferenceToTheConsumerAndReleasesTheRestWhenDestroyed) {
  std::vector<std::string> log;
  RCPtr<HV::Test::Probe> kept;
  {
    RCPtrQueue<HV::Test::Probe> queue;
    RCPtr<HV::Test::Probe> item(new HV::Test::Probe(log));
    queue.Enqueue(item);
    queue.Enqueue(RCPtr<HV::Test::Probe>(new HV::Test::Probe(log)));
    EXPECT_EQ(item->GetRefCount(), 2);
    item = nullptr;
    kept = queue.Dequeue();
    EXPECT_EQ(kept->GetRefCount(), 1);
  }
  EXPECT_EQ(std::count(log.begin(), log.end(), "gone"), 1);
}

// Producers on several threads, one consumer that tests then dequeues.
TEST(RCPtrQueueThreads, ProducersAndOneConsumerLoseNothing) {
  constexpr int kProducers = 4;
  constexpr int kEach = 2000;
  std::recursive_mutex lock;
  RCPtrQueue<Ticket, 4> queue(&lock, 2);
  std::vector<std::thread> producers;
  for (int p = 0; p < kProducers; ++p)
    producers.emplace_back([&queue, p] {
      for (int i = 0; i < kEach; ++i) queue.Enqueue(Make(p * kEach + i));
    });
  std::vector<int> last(kProducers, -1);
  for (int received = 0; received < kProducers * kEach;) {
    if (queue.GetCount() == 0) {
      std::this_thread::yield();
      continue;
    }
    const int number = queue.Dequeue()->mNumber;
    const int producer = number / kEach;
    EXPECT_GT(number, last[producer]);  // each producer's items arrive in order
    last[producer] = number;
    ++received;
  }
  for (std::thread& t : producers) t.join();
  EXPECT_EQ(queue.GetCount(), 0u);
}

}  // namespace
}  // namespace HV
