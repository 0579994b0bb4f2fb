// Reference arrays: who holds which reference, and in which order they go.
#include "HVFramework/Utilities/Storage/LRCPtrArray.h"
#include "HVFramework/Utilities/Storage/RCPtrArray.h"
#include "tests/support/Probe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace HV::Test {

// A counted object that logs its name when it goes.
class ReleaseLogger : public virtual LRefCountedObject {
 public:
  ReleaseLogger(std::vector<std::string>& log, std::string name) : mName(std::move(name)), mLog(log) {}
  ~ReleaseLogger() override { mLog.push_back(mName); }

 private:
  std::string mName;
  std::vector<std::string>& mLog;
};

// A logger whose copy (made when an unshareable one is taken while held)
// logs under its name with " copy".
class CopyingLogger : public ReleaseLogger {
 public:
  CopyingLogger(std::vector<std::string>& log, std::string name)
      : ReleaseLogger(log, name), mLog(log), mName(name) {}
  RCPtr<LRefCountedObject> CreateCopy() const override {
    return RCPtr<LRefCountedObject>(new CopyingLogger(mLog, mName + " copy"));
  }

 private:
  std::vector<std::string>& mLog;
  std::string mName;
};

}  // namespace HV::Test

namespace HV {
namespace {

using Test::CopyingLogger;
using Test::Probe;
using Test::ReleaseLogger;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class Copyable : public virtual LRefCountedObject {
 public:
  RCPtr<LRefCountedObject> CreateCopy() const override { return RCPtr<LRefCountedObject>(new Copyable()); }
};

class ReferenceArray : public ::testing::Test {
 protected:
  // [A, B, C, D] held only by the array.
  void FillFour() {
    for (const char* name : {"A", "B", "C", "D"})
      mArray.AddItem(RCPtr<ReleaseLogger>(new ReleaseLogger(mGone, name)));
  }

  std::vector<std::string> mGone;
  RCPtrArray<ReleaseLogger> mArray;
};

TEST_F(ReferenceArray, RemoveSpaceReleasesInAscendingOrder) {
  FillFour();
  EXPECT_EQ(mArray.RemoveSpace(1, 2), 2);
  EXPECT_THAT(mGone, ElementsAre("B", "C"));
  EXPECT_EQ(mArray.GetCount(), 2u);
}

TEST_F(ReferenceArray, RemoveSpacePastTheEndReleasesWhatFollowsThenThrows) {
  FillFour();
  try {
    mArray.RemoveSpace(3, 2);
    FAIL() << "no exception";
  } catch (const std::out_of_range& error) {
    EXPECT_THAT(
        error.what(),
        StartsWith("Out of Range : HV::ConstRCPtrArray<class HV::Test::ReleaseLogger,1,0>::RemoveItem : "));
  }
  EXPECT_THAT(mGone, ElementsAre("D"));
  EXPECT_EQ(mArray.GetCount(), 3u);
}

TEST_F(ReferenceArray, DestructionReleasesFirstItemFirst) {
  {
    RCPtrArray<ReleaseLogger> array;
    array.AddItem(RCPtr<ReleaseLogger>(new ReleaseLogger(mGone, "A")));
    array.AddItem(RCPtr<ReleaseLogger>(new ReleaseLogger(mGone, "B")));
  }
  EXPECT_THAT(mGone, ElementsAre("A", "B"));
}

TEST_F(ReferenceArray, RemoveItemHandsTheReferenceOverAndReleasesWhatOutHeld) {
  FillFour();
  RCPtr<ReleaseLogger> out(new ReleaseLogger(mGone, "old"));
  ReleaseLogger* b = mArray.GetItemPtr(1)->Get();
  EXPECT_EQ(mArray.RemoveItem(1, out), 3);
  EXPECT_THAT(mGone, ElementsAre("old"));
  EXPECT_EQ(out.Get(), b);
  EXPECT_EQ(b->GetRefCount(), 1);
}

TEST_F(ReferenceArray, RemoveItemPastTheEndThrowsAndLeavesOutAlone) {
  RCPtr<ReleaseLogger> out(new ReleaseLogger(mGone, "kept"));
  try {
    mArray.RemoveItem(0, out);
    FAIL() << "no exception";
  } catch (const std::out_of_range& error) {
    EXPECT_THAT(
        error.what(),
        StartsWith("Out of Range : HV::RCPtrArray<class HV::Test::ReleaseLogger,1,0>::RemoveItem : "));
    EXPECT_THAT(error.what(), HasSubstr("RCPtrArray.h : Line "));
  }
  EXPECT_TRUE(out);
  EXPECT_TRUE(mGone.empty());
  // The constant view names its own class.
  ConstRCPtr<ReleaseLogger> constOut;
  EXPECT_THROW(mArray.AsConst().RemoveItem(0xFFFFFFFFu, constOut), std::out_of_range);
}

TEST_F(ReferenceArray, GetAtReadsInsideTheArrayAndThrowsOutside) {
  FillFour();
  mArray.AddItem(nullptr);
  EXPECT_EQ(mArray.GetAt(2).Get(), mArray.GetItemPtr(2)->Get());
  EXPECT_FALSE(mArray.GetAt(4));  // the appended empty reference
  const RCPtrArray<ReleaseLogger>& constant = mArray;
  EXPECT_EQ(constant.GetAt(0).Get(), mArray.GetItemPtr(0)->Get());
  for (uint32_t index : {5u, 0xFFFFFFFFu}) {
    try {
      mArray.GetAt(index);
      FAIL() << "no exception for " << index;
    } catch (const std::out_of_range& error) {
      EXPECT_THAT(error.what(),
                  StartsWith("Out of Range : HV::RCPtrArray<class HV::Test::ReleaseLogger,1,0>::GetAt : "));
    }
  }
  const ConstRCPtrArray<ReleaseLogger>& base = mArray;
  EXPECT_THROW(base.GetAt(5), std::out_of_range);
  EXPECT_TRUE(mGone.empty());
}

TEST_F(ReferenceArray, StoringTakesOneReferencePerSlot) {
  RCPtr<ReleaseLogger> p(new ReleaseLogger(mGone, "P"));
  EXPECT_EQ(mArray.AddItem(p), 0);
  EXPECT_EQ(mArray.AddItem(p), 1);
  EXPECT_EQ(p->GetRefCount(), 3);
  EXPECT_EQ(mArray.InsertItem(3, p), E_INVALIDARG);
  EXPECT_EQ(p->GetRefCount(), 3);
  EXPECT_EQ(mArray.AsConst().InsertItem(2, ConstRCPtr<ReleaseLogger>(p)), 2);
  EXPECT_EQ(p->GetRefCount(), 4);
  EXPECT_EQ(mArray.AddItem(RCPtr<ReleaseLogger>()), 3);
  EXPECT_EQ(mArray.GetCount(), 4u);
  EXPECT_EQ(mArray.FindItem(p), 0);
  EXPECT_EQ(mArray.SwapItems(0, 3), S_OK);
  EXPECT_EQ(p->GetRefCount(), 4);
  EXPECT_EQ(mArray.RemoveAll(), S_OK);
  EXPECT_EQ(p->GetRefCount(), 1);
  EXPECT_EQ(mArray.GetBytes(), nullptr);
}

TEST_F(ReferenceArray, EmptyReferencesAreAppendedAsNullSlots) {
  FillFour();
  EXPECT_EQ(mArray.AddItem(nullptr), 4);
  EXPECT_EQ(mArray.InsertItem(0, nullptr), 0);
  EXPECT_EQ(mArray.GetCount(), 6u);
  EXPECT_FALSE(*mArray.GetItemPtr(0));
  EXPECT_FALSE(*mArray.GetItemPtr(5));
  EXPECT_TRUE(mGone.empty());
}

// The swap takes item a into a temporary reference and stores both back:
// an item that may not be shared is copied on the way, and the original goes.
TEST_F(ReferenceArray, SwapGoesThroughATemporaryReference) {
  mArray.AddItem(RCPtr<ReleaseLogger>(new CopyingLogger(mGone, "U")));
  mArray.AddItem(RCPtr<ReleaseLogger>(new ReleaseLogger(mGone, "S")));
  mArray.GetItemPtr(0)->Get()->SetUnshareable(true);
  EXPECT_EQ(mArray.SwapItems(0, 1), S_OK);
  EXPECT_THAT(mGone, ElementsAre("U"));
  EXPECT_EQ((*mArray.GetItemPtr(0))->GetRefCount(), 1);
  EXPECT_EQ((*mArray.GetItemPtr(1))->GetRefCount(), 1);
  EXPECT_EQ(mArray.SwapItems(1, 2), E_INVALIDARG);
  mArray.RemoveAll();
  EXPECT_THAT(mGone, ElementsAre("U", "S", "U copy"));
}

TEST_F(ReferenceArray, RemoveLastItemOfEmptyArrayFailsAndNullsOut) {
  RCPtr<ReleaseLogger> out(new ReleaseLogger(mGone, "O"));
  EXPECT_EQ(mArray.RemoveLastItem(out), E_FAIL);
  EXPECT_FALSE(out);
  EXPECT_THAT(mGone, ElementsAre("O"));
}

TEST_F(ReferenceArray, SetCountPadsWithNullsAndReleasesWhatItCuts) {
  FillFour();
  mArray.SetCount(2);
  EXPECT_THAT(mGone, ElementsAre("C", "D"));
  EXPECT_EQ(mArray.SetCount(5), 5);
  for (uint32_t i = 2; i < 5; ++i) EXPECT_FALSE(*mArray.GetItemPtr(i));
  EXPECT_EQ(mArray.SetCount(1), 1);
  EXPECT_THAT(mGone, ElementsAre("C", "D", "B"));
}

TEST(ReferenceArrayUnshare, AnUnshareableItemIsCopiedIntoTheSlot) {
  RCPtr<Copyable> mine(new Copyable());
  mine->SetUnshareable(true);
  RCPtrArray<Copyable> array;
  array.AddItem(mine);
  array.AsConst().AddItem(ConstRCPtr<Copyable>(mine.Get()));
  EXPECT_EQ(mine->GetRefCount(), 1);
  EXPECT_NE(array.GetItemPtr(0)->Get(), mine.Get());
  EXPECT_NE(array.GetItemPtr(1)->Get(), mine.Get());
}

struct BlockStep {
  uint32_t count;
  uint32_t capacity;
};

TEST(ReferenceArrayStorage, QueueStorageMovesInSteps) {
  std::vector<std::string> log;
  RCPtrArray<Probe, 256, 256> array;
  const BlockStep steps[] = {{1, 256}, {256, 256}, {257, 512}, {256, 512}, {255, 256}, {0, 256}};
  for (const BlockStep& step : steps) {
    SCOPED_TRACE(step.count);
    while (array.GetCount() < step.count) array.AddItem(RCPtr<Probe>(new Probe(log)));
    RCPtr<Probe> out;
    while (array.GetCount() > step.count) array.RemoveLastItem(out);
    EXPECT_EQ(array.GetCapacity(), step.capacity);
  }
}

TEST(LRCPtrArray, IsASharedCountedArrayOfNullSlots) {
  auto array = LRCPtrArray<Probe>::Create(3);
  EXPECT_EQ(array->GetRefCount(), 1);
  EXPECT_EQ(array->GetCount(), 3u);
  EXPECT_FALSE(*array->GetItemPtr(2));
  RCPtr<LRCPtrArray<Probe>> second = array;
  EXPECT_EQ(array->GetRefCount(), 2);
}

}  // namespace
}  // namespace HV
