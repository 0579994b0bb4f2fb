#include "HVFramework/ObjectBase/ValueScope.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace HV {
namespace {

TEST(ValueScope, TheValueHoldsForTheScopeAndTheOldOneComesBack) {
  std::string mode = "idle";
  {
    const ValueScope busy(mode, std::string("busy"));
    EXPECT_EQ(mode, "busy");
  }
  EXPECT_EQ(mode, "idle");
}

TEST(ValueScope, TheVariablesTypeDecidesSoALiteralOfAnotherTypeWillDo) {
  uint32_t count = 7;
  {
    const ValueScope none(count, 0);
    static_assert(std::is_same_v<decltype(none), const ValueScope<uint32_t>>);
    EXPECT_EQ(count, 0u);
  }
  EXPECT_EQ(count, 7u);
}

TEST(ValueScope, AnExceptionLeavingTheScopeGivesTheOldValueBack) {
  bool dropDown = true;
  EXPECT_THROW(
      {
        const ValueScope notDropDown(dropDown, false);
        throw std::runtime_error("listener");
      },
      std::runtime_error);
  EXPECT_TRUE(dropDown);
}

TEST(FlagScope, NestedScopesLeaveTheFlagSetUntilTheOuterOneEnds) {
  bool inLayout = false;
  {
    const FlagScope outer(inLayout);
    {
      const FlagScope inner(inLayout);
      EXPECT_TRUE(inLayout);
    }
    EXPECT_TRUE(inLayout);
  }
  EXPECT_FALSE(inLayout);
}

}  // namespace
}  // namespace HV
