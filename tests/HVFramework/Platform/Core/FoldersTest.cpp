#include "HVFramework/Platform/Core/Folders.h"
#include "tests/support/TemporaryHome.h"

#include <gtest/gtest.h>

namespace {

using namespace HV::Platform;

TEST(Folders, FollowHomeWithoutXdgVariables) {
  HV::Test::TemporaryHome home;
  EXPECT_EQ(GetSharedDataFolder(), home.GetPath() + "/.local/share");
  EXPECT_EQ(GetUserSettingsFolder(), home.GetPath() + "/.config");
  EXPECT_EQ(GetDocumentsFolder(), home.GetPath() + "/Documents");
}

TEST(Folders, XdgVariablesWinWhenAbsolute) {
  HV::Test::TemporaryHome home;
  struct Case {
    const char* variable;
    const char* value;
    std::string (*folder)();
    std::string expected;
  } const kCases[] = {
      {"XDG_DATA_HOME", "/data/", GetSharedDataFolder, "/data"},
      {"XDG_CONFIG_HOME", "/config", GetUserSettingsFolder, "/config"},
      {"XDG_DOCUMENTS_DIR", "/docs//", GetDocumentsFolder, "/docs"},
      {"XDG_CONFIG_HOME", "relative/config", GetUserSettingsFolder, home.GetPath() + "/.config"},
      {"XDG_DATA_HOME", "", GetSharedDataFolder, home.GetPath() + "/.local/share"},
  };
  for (const Case& c : kCases) {
    setenv(c.variable, c.value, 1);
    EXPECT_EQ(c.folder(), c.expected) << c.variable << "=" << c.value;
    unsetenv(c.variable);
  }
}

TEST(Folders, NoHomeMeansNoFolder) {
  HV::Test::TemporaryHome home;
  unsetenv("HOME");
  EXPECT_EQ(GetUserSettingsFolder(), "");
  EXPECT_EQ(GetDocumentsFolder(), "");
}

TEST(Folders, ProgramFolderHoldsTheRunningExecutable) { EXPECT_EQ(GetProgramFolder(), HV_TEST_PROGRAM_DIR); }

}  // namespace
