#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/Utilities/Storage/LBufferT.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

namespace HV {
namespace {

using ::testing::StartsWith;

// How a test class answers CreateCopy.
enum class CopyKind { Missing, ReturnsSelf, WrongClass, Correct };

class Other : public virtual LRefCountedObject {};

class Copyable : public virtual LRefCountedObject {
 public:
  Copyable(CopyKind kind, int value) : mValue(value), mKind(kind) {}
  RCPtr<LRefCountedObject> CreateCopy() const override {
    switch (mKind) {
      case CopyKind::Missing:
        return LRefCountedObject::CreateCopy();
      case CopyKind::ReturnsSelf:
        return RCPtr<LRefCountedObject>(const_cast<Copyable*>(this));
      case CopyKind::WrongClass:
        return RCPtr<LRefCountedObject>(new Other());
      case CopyKind::Correct:
        return RCPtr<LRefCountedObject>(new Copyable(mKind, mValue));
    }
    return nullptr;
  }
  int mValue;

 private:
  CopyKind mKind;
};

TEST(Unshare, SoleHolderKeepsAnUnshareableObject) {
  auto* raw = new Copyable(CopyKind::Correct, 5);
  raw->SetUnshareable(true);
  RCPtr<Copyable> only(raw);
  EXPECT_EQ(only.Get(), raw);
  EXPECT_FALSE(only->IsShareable());
}

struct CopyCase {
  CopyKind kind;
  bool throws;
  bool secondIsNew;      // the second pointer ends on a different object
  int32_t firstCount;    // references left on the first object
};

class UnshareTable : public ::testing::TestWithParam<CopyCase> {};

std::string CaseName(const ::testing::TestParamInfo<CopyCase>& info) {
  static const char* const kNames[] = {"Missing", "ReturnsSelf", "WrongClass", "Correct"};
  return kNames[static_cast<int>(info.param.kind)];
}

TEST_P(UnshareTable, SecondPointerTakingAnUnshareableObject) {
  const CopyCase c = GetParam();
  RCPtr<Copyable> first(new Copyable(c.kind, 9));
  first->SetUnshareable(true);
  RCPtr<Copyable> second;
  if (c.throws) {
    EXPECT_THROW(second = first, std::logic_error);
    EXPECT_FALSE(second);  // an assignment that fails leaves the target as it was
  } else {
    second = first;
    ASSERT_TRUE(second);
    EXPECT_EQ(second.Get() != first.Get(), c.secondIsNew);
    if (c.secondIsNew) {
      EXPECT_EQ(second->mValue, 9);
      EXPECT_EQ(second->GetRefCount(), 1);
      EXPECT_TRUE(second->IsShareable());
      EXPECT_FALSE(first->IsShareable());
    }
  }
  EXPECT_EQ(first->GetRefCount(), c.firstCount);
}

INSTANTIATE_TEST_SUITE_P(
    CreateCopyKinds, UnshareTable,
    ::testing::Values(CopyCase{CopyKind::Missing, true, false, 1},
                      CopyCase{CopyKind::ReturnsSelf, false, false, 2},
                      CopyCase{CopyKind::WrongClass, true, false, 1},
                      CopyCase{CopyKind::Correct, false, true, 1}),
    CaseName);

TEST(Unshare, CopyOfWrongClassNamesThePointerClass) {
  RCPtr<Copyable> first(new Copyable(CopyKind::WrongClass, 1));
  first->SetUnshareable(true);
  try {
    RCPtr<Copyable> second(first);
    FAIL() << "no exception";
  } catch (const std::logic_error& e) {
    EXPECT_THAT(e.what(), StartsWith("Logic Error : class HV::(anonymous namespace)::Copyable : "
                                     "HV::ConstRCPtr<class HV::(anonymous namespace)::Copyable>::Unshare : "));
  }
  EXPECT_EQ(first->GetRefCount(), 1);
}

TEST(Unshare, LockedBufferIsCopiedForASecondHolder) {
  RCPtr<LIBuffer> first = LTextBuffer::Create(6);
  std::memcpy(first->GetData(), "tarsel", 6);
  first->SetUnshareable(true);
  ConstRCPtr<LIBuffer> second(first);
  ASSERT_NE(second.Get(), first.Get());
  EXPECT_EQ(std::memcmp(second->GetData(), "tarsel", 6), 0);
  EXPECT_EQ(first->GetRefCount(), 1);
  first->SetUnshareable(false);
  ConstRCPtr<LIBuffer> third(first);
  EXPECT_EQ(third.Get(), first.Get());
}

}  // namespace
}  // namespace HV
