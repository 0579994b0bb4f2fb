#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "tests/support/Probe.h"
#include "tests/support/TwoInterfaces.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace HV {
namespace {

using Test::Both;
using Test::IFirst;
using Test::ISecond;
using Test::OnlyFirst;
using Test::Probe;
using ::testing::ElementsAre;

TEST(RCPtr, NullPointersReleaseNothing) {
  RCPtr<Probe> empty;
  RCPtr<Probe> other;
  empty = other;
  empty = nullptr;
  EXPECT_EQ(empty.Get(), nullptr);
  EXPECT_FALSE(empty);
}

TEST(RCPtr, SelfAssignmentKeepsTheCount) {
  std::vector<std::string> log;
  RCPtr<Probe> p(new Probe(log));
  RCPtr<Probe> q(p);
  auto& alias = p;
  p = alias;
  p = q;
  EXPECT_EQ(p->GetRefCount(), 2);
}

TEST(RCPtr, AssigningAnObjectKeptAliveOnlyByTheOldTargetIsSafe) {
  // p's object holds the only reference to the child; p = child must take
  // the child before letting the parent (and with it the child's holder) go.
  std::vector<std::string> log;
  RCPtr<Probe> p(new Probe(log));
  p->mHeld = RCPtr<Probe>(new Probe(log));
  const RCPtr<LRefCountedObject>& child = p->mHeld;
  p = DynamicCast<Probe>(child);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->GetRefCount(), 1);
  EXPECT_THAT(log, ElementsAre("made", "made", "gone"));
}

TEST(RCPtr, DynamicCastFollowsTheDynamicClassAcrossVirtualBases) {
  RCPtr<IFirst> first(new Both());
  RCPtr<ISecond> second = DynamicCast<ISecond>(first);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->Second(), 2);
  EXPECT_EQ(first->GetRefCount(), 2);
  EXPECT_EQ(static_cast<LRefCountedObject*>(second.Get()),
            static_cast<LRefCountedObject*>(first.Get()));

  RCPtr<IFirst> lone(new OnlyFirst());
  EXPECT_FALSE(DynamicCast<ISecond>(lone));
  EXPECT_EQ(lone->GetRefCount(), 1);
  EXPECT_FALSE(DynamicCast<ISecond>(RCPtr<IFirst>()));
}

TEST(RCPtr, ConvertingConstructionThroughAVirtualBaseHoldsTheSameObject) {
  std::vector<std::string> log;
  RCPtr<Probe> probe(new Probe(log));
  {
    RCPtr<LRefCountedObject> base(probe);
    EXPECT_EQ(base.Get(), static_cast<LRefCountedObject*>(probe.Get()));
    EXPECT_EQ(probe->GetRefCount(), 2);
  }
  EXPECT_EQ(probe->GetRefCount(), 1);
}

TEST(RCPtr, ConvertingAssignmentChecksDowncasts) {
  RCPtr<LRefCountedObject> object(new Both());
  ConstRCPtr<ISecond> second;
  second = static_cast<const ConstRCPtr<LRefCountedObject>&>(object);
  EXPECT_TRUE(second);
  ConstRCPtr<Probe> probe;
  probe = static_cast<const ConstRCPtr<LRefCountedObject>&>(object);
  EXPECT_FALSE(probe);
  EXPECT_EQ(object->GetRefCount(), 2);
}

TEST(RCPtr, MovingTransfersTheReference) {
  std::vector<std::string> log;
  RCPtr<Probe> p(new Probe(log));
  RCPtr<Probe> q(std::move(p));
  EXPECT_EQ(q->GetRefCount(), 1);
  RCPtr<Probe> r;
  r = std::move(q);
  EXPECT_EQ(r->GetRefCount(), 1);
  r = std::move(r);
  EXPECT_EQ(r->GetRefCount(), 1);
}

TEST(RCPtrThreads, CopiesOnEightThreadsKeepTheCountExact) {
  std::vector<std::string> log;
  RCPtr<Probe> shared(new Probe(log));
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&shared] {
      for (int i = 0; i < 20000; ++i) {
        RCPtr<Probe> copy(shared);
        RCPtr<LRefCountedObject> base(copy);
        copy = nullptr;
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(shared->GetRefCount(), 1);
  shared = nullptr;
  EXPECT_THAT(log, ElementsAre("made", "gone"));
}

TEST(RCPtrThreads, LastReleaseOnAnyThreadDeletesOnce) {
  for (int round = 0; round < 200; ++round) {
    std::vector<std::string> log;
    RCPtr<Probe> origin(new Probe(log));
    std::vector<RCPtr<Probe>> copies(8, origin);
    origin = nullptr;
    std::vector<std::thread> threads;
    for (auto& copy : copies) threads.emplace_back([&copy] { copy = nullptr; });
    for (auto& thread : threads) thread.join();
    ASSERT_THAT(log, ElementsAre("made", "gone"));
  }
}

}  // namespace
}  // namespace HV
