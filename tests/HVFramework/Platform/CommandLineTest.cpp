#include "HVFramework/Platform/CommandLine.h"

#include <gtest/gtest.h>

namespace {

// The test program runs with gtest options, so its command line has at least
// the program and one argument, joined by a blank and not ended by one.
TEST(CommandLine, JoinsTheArgumentsWithBlanks) {
  std::string commandLine = HV::Platform::GetProcessCommandLine();
  EXPECT_NE(commandLine.find("hv_platform_tests "), std::string::npos) << commandLine;
  EXPECT_EQ(commandLine.find('\0'), std::string::npos);
  EXPECT_NE(commandLine.back(), ' ');
}

}  // namespace
