#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/ObjectBase/Holder.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"
#include "HVFramework/ObjectBase/TaggableObject.h"
#include "HVFramework/Utilities/Storage/StringT.h"
#include "tests/support/Probe.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace HV {
namespace {

using Test::Probe;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST(LRefCountedObject, FirstAddRefCountsOneAndFirstReleaseDeletes) {
  std::vector<std::string> log;
  auto* probe = new Probe(log);
  EXPECT_EQ(probe->GetRefCount(), 0);
  EXPECT_EQ(probe->AddRef(), 1);
  EXPECT_EQ(probe->AddRef(), 2);
  EXPECT_EQ(probe->Release(), 1);
  EXPECT_THAT(log, ElementsAre("made"));
  EXPECT_EQ(probe->Release(), 0);
  EXPECT_THAT(log, ElementsAre("made", "gone"));
}

TEST(LRefCountedObject, APermanentObjectIsNeitherCountedNorDeletedAndAlwaysCountsAsShared) {
  // Kept for the program's life, as a permanent object is.
  static std::vector<std::string> log;
  static Probe* const probe = new Probe(log);
  probe->AddRef();
  probe->MakePermanent();
  const int32_t count = probe->GetRefCount();
  EXPECT_GT(count, 1);  // copy-on-write never writes it in place
  for (int i = 0; i < 3; ++i) probe->Release();
  probe->AddRef();
  EXPECT_EQ(probe->GetRefCount(), count);
  EXPECT_THAT(log, ElementsAre("made"));
  { const RCPtr<Probe> held(probe); }
  EXPECT_THAT(log, ElementsAre("made"));
  EXPECT_THROW(probe->SetUnshareable(true), std::runtime_error);
}

// The empty text's buffer is permanent: writing to a string that shares it
// takes a buffer of its own and leaves every other empty string empty.
TEST(StringW, WritingAnEmptyStringLeavesTheSharedEmptyBufferAlone) {
  StringW written;
  const StringW other;
  char16_t* units = written.Lock(4);
  ASSERT_NE(units, nullptr);
  units[0] = u'a';
  written.Unlock();
  written += StringW(u"b");
  EXPECT_EQ(written, StringW(u"ab"));
  EXPECT_TRUE(other.IsEmpty());
  EXPECT_TRUE(StringW().IsEmpty());
}

// Counts before a Release and whether that Release must run the hook.
struct HookCase {
  int32_t count;
  int32_t internal;
  bool hookRuns;
};

class ReleaseHook : public ::testing::TestWithParam<HookCase> {};

std::string HookCaseName(const ::testing::TestParamInfo<HookCase>& info) {
  return "count" + std::to_string(info.param.count) + "internal" + std::to_string(info.param.internal);
}

TEST_P(ReleaseHook, RunsOnlyWhenTheLastOutsideReferenceGoes) {
  const HookCase c = GetParam();
  std::vector<std::string> log;
  auto* probe = new Probe(log);
  for (int i = 0; i < c.count; ++i) probe->AddRef();
  probe->AddInternalReferences(c.internal);
  int32_t remaining = probe->Release();
  EXPECT_EQ(remaining, c.count - 1);
  EXPECT_EQ(log.size() > 1 && log[1] == "hook", c.hookRuns);
  if (remaining == 0) return;
  // Tidy up without the hook: drop the internal marks first.
  probe->AddInternalReferences(-c.internal);
  while (remaining > 0) remaining = probe->Release();
}

INSTANTIATE_TEST_SUITE_P(Counts, ReleaseHook,
                         ::testing::Values(HookCase{1, 0, false}, HookCase{3, 0, false}, HookCase{3, 2, true},
                                           HookCase{3, 1, false}, HookCase{2, 1, true}, HookCase{5, 4, true},
                                           HookCase{4, 2, false}),
                         HookCaseName);

TEST(LRefCountedObject, HookRunsOnceWhenItReleasesItsOwnRegistrations) {
  // Two registries hold the probe on its own behalf; the hook drops both, so
  // the outside release that triggered it ends the object.
  std::vector<std::string> log;
  auto* probe = new Probe(log);
  probe->AddRef();  // the outside owner
  for (int i = 0; i < 2; ++i) {
    probe->AddRef();
    probe->AddInternalReferences(1);
  }
  probe->mOnHook = [](Probe& self) {
    for (int i = 0; i < 2; ++i) {
      self.AddInternalReferences(-1);
      self.Release();
    }
  };
  EXPECT_EQ(probe->Release(), 0);
  EXPECT_THAT(log, ElementsAre("made", "hook", "gone"));
}

TEST(LRefCountedObject, ReleaseFromTheHookDoesNotRestartIt) {
  // The hook drops one of two registrations: the count is then again one
  // above the internal count, yet the nested release must not re-enter.
  std::vector<std::string> log;
  auto* probe = new Probe(log);
  for (int i = 0; i < 3; ++i) probe->AddRef();
  probe->AddInternalReferences(2);
  probe->mOnHook = [](Probe& self) {
    self.AddInternalReferences(-1);
    self.Release();
  };
  EXPECT_EQ(probe->Release(), 1);
  EXPECT_THAT(log, ElementsAre("made", "hook"));
  probe->AddInternalReferences(-1);
  probe->mOnHook = nullptr;
  probe->Release();
  EXPECT_THAT(log, ElementsAre("made", "hook", "gone"));
}

TEST(LRefCountedObject, DefaultHookReportsWhetherOnlyTheCallerHoldsIt) {
  std::vector<std::string> log;
  RCPtr<Probe> probe(new Probe(log));
  EXPECT_EQ(probe->LRefCountedObject::ReleaseInternalReferences(), S_OK);
  RCPtr<Probe> second = probe;
  EXPECT_EQ(probe->LRefCountedObject::ReleaseInternalReferences(), E_FAIL);
  second = nullptr;
  probe->AddRef();
  probe->AddInternalReferences(1);
  EXPECT_EQ(probe->LRefCountedObject::ReleaseInternalReferences(), E_FAIL);
  probe->AddInternalReferences(-1);
  probe->Release();
}

TEST(LRefCountedObject, SetUnshareableIsRefusedOnlyWhileShared) {
  std::vector<std::string> log;
  auto* raw = new Probe(log);
  raw->SetUnshareable(true);  // count 0
  raw->SetUnshareable(false);
  RCPtr<Probe> one(raw);
  raw->SetUnshareable(true);  // count 1
  raw->SetUnshareable(false);
  RCPtr<Probe> two(one);
  EXPECT_THROW(raw->SetUnshareable(true), std::runtime_error);
  EXPECT_TRUE(raw->IsShareable());
  raw->SetUnshareable(false);
  EXPECT_TRUE(raw->IsShareable());
}

TEST(LRefCountedObject, SetUnshareableMessageNamesTheOperation) {
  std::vector<std::string> log;
  RCPtr<Probe> one(new Probe(log));
  RCPtr<Probe> two(one);
  try {
    one->SetUnshareable(true);
    FAIL() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_THAT(e.what(), StartsWith("Runtime Error : HV::LRefCountedObject::SetUnshareable : "));
  }
}

TEST(LRefCountedObject, ToStringNamesTheDynamicClass) {
  std::vector<std::string> log;
  RCPtr<Probe> probe(new Probe(log));
  const StringW text = probe->ToString();
  EXPECT_EQ(text.Find(u"LRefCountedObject::ToString() not overridden. Returning TypeName: "), 0);
  EXPECT_EQ(text.Right(16), u" HV::Test::Probe");
}

TEST(LRefCountedObject, UndoAndCreateCopyAreNotImplemented) {
  std::vector<std::string> log;
  RCPtr<Probe> probe(new Probe(log));
  try {
    probe->Undo();
    FAIL() << "no exception";
  } catch (const std::logic_error& e) {
    EXPECT_THAT(e.what(), StartsWith("Logic Error : Undo() not implemented for RefCountedObject : "
                                     "HV::LRefCountedObject::Undo : "));
  }
  try {
    probe->CreateCopy();
    FAIL() << "no exception";
  } catch (const std::logic_error& e) {
    EXPECT_THAT(e.what(), HasSubstr("CreateCopy() not implemented for RefCountedObject : "
                                    "HV::LRefCountedObject::CreateCopy : "));
  }
}

TEST(LTaggableObject, ReleasesItsTagWithIt) {
  std::vector<std::string> log;
  {
    RCPtr<LTaggableObject> tagged(new LTaggableObject());
    tagged->SetTag(RCPtr<Probe>(new Probe(log)));
    EXPECT_EQ(tagged->GetTag()->GetRefCount(), 1);
  }
  EXPECT_THAT(log, ElementsAre("made", "gone"));
}

TEST(LHolder, MadeWithItsValueHoldsACopy) {
  RCPtr<LHolder<int>> number(new LHolder<int>(-17));
  ASSERT_NE(number->GetValue(), nullptr);
  EXPECT_EQ(*number->GetValue(), -17);
  RCPtr<LHolder<bool>> flag(new LHolder<bool>(true));
  EXPECT_TRUE(*flag->GetValue());
}

TEST(LHolder, ValueStartsValueInitialised) {
  RCPtr<LHolder<int>> holder(new LHolder<int>());
  ASSERT_NE(holder->GetValue(), nullptr);
  EXPECT_EQ(*holder->GetValue(), 0);
  *holder->GetValue() = 7;
  EXPECT_EQ(*holder->GetValue(), 7);
}

}  // namespace
}  // namespace HV
