#include "HVFramework/ObjectBase/WeakRCPtr.h"
#include "tests/support/Probe.h"
#include "tests/support/TwoInterfaces.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <latch>
#include <string>
#include <thread>
#include <vector>

namespace HV {
namespace {

using Test::Both;
using Test::IFirst;
using Test::ISecond;
using Test::Probe;
using ::testing::ElementsAre;

TEST(WeakRCPtr, FollowsTheObjectUntilItsLastOwnerGoes) {
  std::vector<std::string> log;
  RCPtr<Probe> owner(new Probe(log));
  const WeakRCPtr<Probe> weak(owner);
  EXPECT_EQ(weak.Get(), owner.Get());
  EXPECT_EQ(owner->GetRefCount(), 1);  // a weak pointer holds no count

  RCPtr<Probe> locked = weak.Lock();
  EXPECT_EQ(locked.Get(), owner.Get());
  owner = nullptr;  // the locked pointer keeps it
  EXPECT_THAT(log, ElementsAre("made"));
  EXPECT_NE(weak.Get(), nullptr);

  locked = nullptr;
  EXPECT_THAT(log, ElementsAre("made", "gone"));
  EXPECT_EQ(weak.Get(), nullptr);
  EXPECT_EQ(weak.Lock(), nullptr);
}

// Three handles on one object (its owner, a weak pointer and a copy of it)
// let go in every order: the object dies with its owner, whatever the weak
// pointers do, and a weak pointer still held answers for the owner.
class WeakRCPtrDropOrder : public ::testing::TestWithParam<std::array<int, 3>> {};

TEST_P(WeakRCPtrDropOrder, TheObjectDiesWithItsOwnerAndWeakPointersFollow) {
  enum { kOwner, kWeak, kCopy };
  std::vector<std::string> log;
  RCPtr<Probe> owner(new Probe(log));
  Probe* const object = owner.Get();
  WeakRCPtr<Probe> weak(owner);
  WeakRCPtr<Probe> copy(weak);
  bool held[3] = {true, true, true};
  for (int handle : GetParam()) {
    held[handle] = false;
    if (handle == kOwner) owner = nullptr;
    if (handle == kWeak) weak = nullptr;
    if (handle == kCopy) copy.Reset();
    const bool alive = held[kOwner];
    EXPECT_EQ(log.back() == "gone", !alive);
    EXPECT_EQ(weak.Get(), alive && held[kWeak] ? object : nullptr);
    EXPECT_EQ(copy.Get(), alive && held[kCopy] ? object : nullptr);
    EXPECT_EQ(copy.Lock().Get(), alive && held[kCopy] ? object : nullptr);
  }
  EXPECT_THAT(log, ElementsAre("made", "gone"));
}

std::string DropOrderName(const ::testing::TestParamInfo<std::array<int, 3>>& info) {
  static const char* const names[] = {"Owner", "Weak", "Copy"};
  std::string name;
  for (int handle : info.param) name += names[handle];
  return name;
}

INSTANTIATE_TEST_SUITE_P(EveryOrder, WeakRCPtrDropOrder,
                         ::testing::Values(std::array<int, 3>{0, 1, 2}, std::array<int, 3>{0, 2, 1},
                                           std::array<int, 3>{1, 0, 2}, std::array<int, 3>{1, 2, 0},
                                           std::array<int, 3>{2, 0, 1}, std::array<int, 3>{2, 1, 0}),
                         DropOrderName);

TEST(WeakRCPtr, ReassignedItFollowsTheNewObjectOnly) {
  std::vector<std::string> log;
  RCPtr<Probe> first(new Probe(log));
  RCPtr<Probe> second(new Probe(log));
  WeakRCPtr<Probe> weak(first);
  weak = second.Get();
  first = nullptr;
  EXPECT_EQ(weak.Get(), second.Get());
  weak = first.Get();  // null
  EXPECT_EQ(weak.Get(), nullptr);
  weak = second;
  second = nullptr;
  EXPECT_EQ(weak.Get(), nullptr);
}

TEST(WeakRCPtr, SelfAssignmentKeepsTheObject) {
  std::vector<std::string> log;
  const RCPtr<Probe> owner(new Probe(log));
  WeakRCPtr<Probe> weak(owner);
  WeakRCPtr<Probe>& alias = weak;
  weak = alias;
  EXPECT_EQ(weak.Get(), owner.Get());
  weak = std::move(alias);
  EXPECT_EQ(weak.Get(), owner.Get());
}

TEST(WeakRCPtr, ComparesByWhatItGivesNow) {
  std::vector<std::string> log;
  RCPtr<Probe> a(new Probe(log));
  const RCPtr<Probe> b(new Probe(log));
  const WeakRCPtr<Probe> toA(a);
  const WeakRCPtr<Probe> alsoToA(a.Get());
  const WeakRCPtr<Probe> toB(b);
  EXPECT_TRUE(toA == alsoToA);
  EXPECT_FALSE(toA == toB);
  EXPECT_TRUE(toA == a.Get());
  EXPECT_FALSE(toA == nullptr);
  a = nullptr;
  // Dead links equal null and each other, never a live object.
  EXPECT_TRUE(toA == nullptr);
  EXPECT_TRUE(toA == WeakRCPtr<Probe>());
  EXPECT_FALSE(toA == toB);
}

TEST(WeakRCPtr, PointersThroughDifferentInterfacesShareTheObjectsLink) {
  RCPtr<Both> both(new Both);
  const WeakRCPtr<IFirst> first(both);
  const WeakRCPtr<ISecond> second(both.Get());
  EXPECT_EQ(first.Lock()->First(), 1);
  EXPECT_EQ(second.Lock()->Second(), 2);
  EXPECT_EQ(second.Get(), static_cast<ISecond*>(both.Get()));
  both = nullptr;
  EXPECT_EQ(first.Get(), nullptr);
  EXPECT_EQ(second.Get(), nullptr);
}

TEST(WeakRCPtr, AnObjectNoOwnerHasTakenYetIsSeenButNotLocked) {
  std::vector<std::string> log;
  auto* fresh = new Probe(log);
  const WeakRCPtr<Probe> weak(fresh);
  EXPECT_EQ(weak.Get(), fresh);
  // Its count is zero, as that of an object on its way out: Lock refuses.
  EXPECT_EQ(weak.Lock(), nullptr);
  RCPtr<Probe> owner(fresh);
  EXPECT_EQ(weak.Lock().Get(), fresh);
}

// An object that looks at itself through a weak pointer while it dies.
class SelfWatcher : public virtual LRefCountedObject {
 public:
  SelfWatcher(bool& seenWhileDying, bool& lockedWhileDying)
      : mSeen(seenWhileDying), mLocked(lockedWhileDying) {}
  ~SelfWatcher() override {
    mSeen = mSelf.Get() != nullptr;
    mLocked = mSelf.Lock() != nullptr;
  }
  WeakRCPtr<SelfWatcher> mSelf;

 private:
  bool& mSeen;
  bool& mLocked;
};

TEST(WeakRCPtr, AnObjectIsGoneForWeakPointersBeforeItsDestructorsRun) {
  bool seen = true;
  bool locked = true;
  {
    const RCPtr<SelfWatcher> watcher(new SelfWatcher(seen, locked));
    watcher->mSelf = watcher.Get();
  }
  EXPECT_FALSE(seen);
  EXPECT_FALSE(locked);
}

TEST(WeakRCPtr, AnObjectDeletedWithoutCountingClearsItsLink) {
  std::vector<std::string> log;
  auto* uncounted = new Probe(log);
  const WeakRCPtr<Probe> weak(uncounted);
  delete uncounted;
  EXPECT_EQ(weak.Get(), nullptr);
}

// A counted object that knows whether it is still whole.
class Guarded : public virtual LRefCountedObject {
 public:
  explicit Guarded(std::atomic<int>& deaths) : mDeaths(deaths) {}
  ~Guarded() override {
    mWhole.store(false);
    mDeaths.fetch_add(1);
  }
  bool IsWhole() const { return mWhole.load(); }

 private:
  std::atomic<bool> mWhole{true};
  std::atomic<int>& mDeaths;
};

TEST(WeakRCPtrThreads, LockRacingTheLastReleaseNeverRevivesTheObject) {
  constexpr int kRounds = 400;
  std::atomic<int> deaths{0};
  std::atomic<int> brokenLocks{0};
  for (int round = 0; round < kRounds; ++round) {
    RCPtr<Guarded> owner(new Guarded(deaths));
    const WeakRCPtr<Guarded> weak(owner);
    std::latch start(2);
    std::thread locker([&] {
      start.arrive_and_wait();
      // Locks until the owner's release wins; the last locked pointer may
      // be the one that ends the object, on this thread.
      while (const RCPtr<Guarded> locked = weak.Lock())
        if (!locked->IsWhole()) brokenLocks.fetch_add(1);
    });
    start.arrive_and_wait();
    owner = nullptr;
    locker.join();
    EXPECT_EQ(weak.Get(), nullptr);
  }
  EXPECT_EQ(brokenLocks.load(), 0);
  EXPECT_EQ(deaths.load(), kRounds);
}

TEST(WeakRCPtrThreads, WeakPointersMadeAtOnceShareOneLink) {
  constexpr int kThreads = 8;
  std::atomic<int> deaths{0};
  RCPtr<Guarded> owner(new Guarded(deaths));
  std::vector<WeakRCPtr<Guarded>> weak(kThreads);
  std::latch start(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      const RCPtr<Guarded> mine = owner;  // each maker holds the object
      start.arrive_and_wait();
      weak[t] = mine;
    });
  for (std::thread& thread : threads) thread.join();
  owner = nullptr;
  EXPECT_EQ(deaths.load(), 1);
  EXPECT_TRUE(std::all_of(weak.begin(), weak.end(), [](const auto& w) { return w.Get() == nullptr; }));
}

}  // namespace
}  // namespace HV
