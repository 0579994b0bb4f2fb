#include "HVFramework/Platform/Core/Folders.h"
#include "tests/support/TemporaryHome.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using namespace HV::Platform;

TEST(Folders, FollowHomeWithoutXdgVariables) {
  HV::Test::TemporaryHome home;
  EXPECT_EQ(GetSharedDataFolder(), home.GetPath() + "/.local/share");
  EXPECT_EQ(GetUserSettingsFolder(), home.GetPath() + "/.config");
  EXPECT_EQ(GetDocumentsFolder(), home.GetPath());
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

// The documents folder is the one the desktop's user folders file names.
TEST(Folders, DocumentsFollowTheUserFoldersFile) {
  HV::Test::TemporaryHome home;
  const std::string& h = home.GetPath();
  struct Case {
    const char* what;
    std::string file;  // the text of user-dirs.dirs; empty: no file
    std::string expected;
  } const kCases[] = {
      {"no file", "", h},
      {"below home", "# written by the desktop\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n",
       h + "/Docs"},
      {"home itself", "XDG_DOCUMENTS_DIR=\"$HOME/\"\n", h},
      {"absolute, with blanks", "XDG_DOCUMENTS_DIR=\"/srv/my docs\"\n", "/srv/my docs"},
      {"escaped quote", "XDG_DOCUMENTS_DIR=\"$HOME/a\\\"b\"\n", h + "/a\"b"},
      {"relative: ignored", "XDG_DOCUMENTS_DIR=\"Docs\"\n", h},
      {"unclosed: ignored", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\n", h},
      {"another variable", "XDG_MUSIC_DIR=\"$HOME/Music\"\n", h},
      {"the last one counts", "XDG_DOCUMENTS_DIR=\"$HOME/A\"\nXDG_DOCUMENTS_DIR=\"$HOME/B\"\n", h + "/B"},
  };
  const std::filesystem::path config = std::filesystem::path(h) / ".config";
  std::filesystem::create_directories(config);
  for (const Case& c : kCases) {
    std::filesystem::remove(config / "user-dirs.dirs");
    if (!c.file.empty()) std::ofstream(config / "user-dirs.dirs") << c.file;
    EXPECT_EQ(GetDocumentsFolder(), c.expected) << c.what;
  }
  // The file is looked for under XDG_CONFIG_HOME.
  const std::filesystem::path other = std::filesystem::path(h) / "other-config";
  std::filesystem::create_directories(other);
  std::ofstream(other / "user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/Elsewhere\"\n";
  setenv("XDG_CONFIG_HOME", other.c_str(), 1);
  EXPECT_EQ(GetDocumentsFolder(), h + "/Elsewhere");
}

TEST(Folders, NoHomeMeansNoFolder) {
  HV::Test::TemporaryHome home;
  unsetenv("HOME");
  EXPECT_EQ(GetUserSettingsFolder(), "");
  EXPECT_EQ(GetDocumentsFolder(), "");
}

TEST(Folders, ProgramFolderHoldsTheRunningExecutable) { EXPECT_EQ(GetProgramFolder(), HV_TEST_PROGRAM_DIR); }

}  // namespace
