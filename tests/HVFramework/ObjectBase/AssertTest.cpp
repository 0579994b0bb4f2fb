// Broken invariants of counted objects end the process with a report naming
// the check, in the builds that check them.
#include "HVFramework/ObjectBase/Assert.h"
#include "HVFramework/ObjectBase/RefCountedObject.h"

#include <gtest/gtest.h>

namespace HV {
namespace {

class Counted : public virtual LRefCountedObject {};

class HVAssertDeathTest : public ::testing::Test {
 protected:
  void SetUp() override {
#if !defined(HV_ENABLE_ASSERTS)
    GTEST_SKIP() << "HV_ASSERT is off in this build";
#endif
    // Re-runs the test binary for the dying child: safe with threads and
    // under the sanitizers.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
  }
};

TEST_F(HVAssertDeathTest, ReportsFileLineAndExpressionThenAborts) {
  EXPECT_DEATH(HV_ASSERT(1 + 1 == 3),
               "^tests/HVFramework/ObjectBase/AssertTest.cpp:[0-9]+: invariant broken: 1 \\+ 1 == 3");
}

TEST_F(HVAssertDeathTest, CountedObjectDestroyedWhileReferencedAborts) {
  EXPECT_DEATH(
      {
        auto* object = new Counted();
        object->AddRef();
        delete object;
      },
      "RefCountedObject.cpp:[0-9]+: invariant broken: mRefCount.load\\(\\) == 0");
}

TEST_F(HVAssertDeathTest, ReleaseBelowZeroAborts) {
  EXPECT_DEATH(
      {
        Counted object;
        object.Release();
      },
      "RefCountedObject.cpp:[0-9]+: invariant broken: remaining >= 0");
}

TEST(HVAssert, BalancedCountsPass) {
  auto* object = new Counted();
  object->AddRef();
  object->AddRef();
  EXPECT_EQ(object->Release(), 1);
  EXPECT_EQ(object->Release(), 0);  // deleted with no reference left
  HV_ASSERT(object != nullptr);
}

}  // namespace
}  // namespace HV
