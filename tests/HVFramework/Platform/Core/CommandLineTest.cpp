#include "HVFramework/Platform/Core/CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, JoinsTheArgumentsWithBlanks) {
  std::string expected;
  for (const std::string& argument : ::testing::internal::GetArgvs()) {
    expected += (expected.empty() ? "" : " ") + argument;
  }
  EXPECT_EQ(HV::Platform::GetProcessCommandLine(), expected);
}

}  // namespace
