// The settings-file manager with the real library (loaded from beside the
// test program, as the program loads it), without a library, with a library
// that lacks an entry point, and with one that answers texts badly.

#include "HVFramework/System/IniFileManagerProxy.h"
#include "HVFramework/System/LIniFileManager.h"
#include "HVFramework/System/SettingsFile.h"
#include "HVFramework/System/File.h"
#include "HVFramework/ObjectBase/RCPtr.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/TextFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string_view>

namespace {

using HV::CIniFileManagerProxy;
using HV::LIniFileManager;
using HV::RCPtr;
using HV::StringW;
using HV::E_FAIL;
using HV::S_FALSE;
using HV::S_OK;

StringW W(const std::string& utf8) { return HV::Test::Wide(utf8); }
std::string U(const StringW& text) { return HV::Test::Utf8(text); }

const StringW kVersion = u"1_0_0";
const StringW kProduct = u"Tarsel";

class SettingsManager : public ::testing::Test {
 protected:
  RCPtr<LIniFileManager> LoadedManager() {
    RCPtr<LIniFileManager> manager(new LIniFileManager());
    EXPECT_EQ(manager->Load(StringW()), S_OK);
    return manager;
  }

  int32_t Open(LIniFileManager& manager) {
    int32_t handle = 0;
    EXPECT_EQ(manager.OpenIniFile(W(mFolder / "UserSettings.ini"), kVersion, kProduct, handle), S_OK);
    return handle;
  }

  HV::Test::TemporaryFolder mFolder;
};

TEST_F(SettingsManager, LoadsTheLibraryBesideTheProgramOnce) {
  CIniFileManagerProxy proxy;
  EXPECT_EQ(proxy.Load(StringW()), S_OK);
  EXPECT_EQ(proxy.Load(W("/nonexistent")), S_FALSE);
  EXPECT_EQ(proxy.Unload(), S_OK);
  EXPECT_EQ(proxy.Unload(), S_FALSE);
  int32_t value = 0;
  EXPECT_EQ(proxy.GetIniValueInt(1, u"Key", 9, value), E_FAIL);
  EXPECT_EQ(value, 9);
}

TEST_F(SettingsManager, ValuesPersistWithoutWriteOrClose) {
  {
    RCPtr<LIniFileManager> manager = LoadedManager();
    int32_t handle = Open(*manager);
    EXPECT_EQ(manager->SetIniValueInt(handle, u"CurrentSkinIndex", 2), S_OK);
    EXPECT_EQ(manager->SetIniValueStr(handle, u"Paths\\Last", u"/home/\u00e9t\u00e9/\u20ac.syx"), S_OK);
    EXPECT_EQ(manager->SetArrayCount(handle, u"Recent", 1), S_OK);
    EXPECT_EQ(manager->SetArrayItemAt(handle, u"Recent", 0, u"one"), S_OK);
  }
  RCPtr<LIniFileManager> manager = LoadedManager();
  int32_t handle = Open(*manager);
  int32_t value = 0;
  EXPECT_EQ(manager->GetIniValueInt(handle, u"CurrentSkinIndex", 0, value), S_OK);
  EXPECT_EQ(value, 2);
  StringW text;
  EXPECT_EQ(manager->GetIniValueStr(handle, u"Paths/Last", u"", text), S_OK);
  EXPECT_EQ(U(text), "/home/\xC3\xA9t\xC3\xA9/\xE2\x82\xAC.syx");
  EXPECT_TRUE(manager->DoesNodeExist(handle, u"Paths"));
  int32_t count = 0;
  EXPECT_EQ(manager->GetKeyCount(handle, u"Paths", count), S_OK);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(manager->GetKeyNameAt(handle, u"Paths", 0, text), S_OK);
  EXPECT_EQ(U(text), "Last");
  EXPECT_EQ(manager->GetArrayItemAt(handle, u"Recent", 0, text), S_OK);
  EXPECT_EQ(U(text), "one");
  EXPECT_EQ(manager->RemoveArrayItemAt(handle, u"Recent", 0), S_OK);
  EXPECT_EQ(manager->GetArrayCount(handle, u"Recent", count), S_OK);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(manager->GetIniValueStr(handle, u"Missing", u"default", text), S_OK);
  EXPECT_EQ(U(text), "default");
}

TEST_F(SettingsManager, LongTextsComeBackCutTo1023Bytes) {
  RCPtr<LIniFileManager> manager = LoadedManager();
  int32_t handle = Open(*manager);
  ASSERT_EQ(manager->SetIniValueStr(handle, u"Long", W(std::string(3000, 'a'))), S_OK);
  StringW text;
  EXPECT_EQ(manager->GetIniValueStr(handle, u"Long", u"", text), S_OK);
  EXPECT_EQ(text.GetLength(), 1023);
}

// Text that is not UTF-8 comes back whole, each bad byte as U+FFFD, so that
// writing it back loses nothing else of the value.
TEST_F(SettingsManager, MalformedTextReadsBackWithReplacementsNotCut) {
  struct Case {
    const char* name;
    std::string_view stored;  // the value's bytes in the file
    const char16_t* read;
  } const kCases[] = {
      {"Latin-1 byte", "abc\xE9" "def", u"abc\uFFFDdef"},
      {"NUL byte", std::string_view("abc\0def", 7), u"abc\uFFFDdef"},
      {"lone continuation", "\x80x", u"\uFFFDx"},
      {"cut sequence at the end", "abc\xE2\x82", u"abc\uFFFD\uFFFD"},
      {"encoded surrogate", "a\xED\xA0\x80z", u"a\uFFFD\uFFFD\uFFFDz"},
      {"valid text", "\xC3\xA9\xF0\x9F\x8E\xB9", u"\u00E9\U0001F3B9"},
  };
  std::string path = mFolder / "UserSettings.ini";
  std::string file;
  for (const Case& c : kCases) {
    file += c.name;
    file += '=';
    file += c.stored;
    file += '\n';
  }
  std::ofstream(path, std::ios::binary) << file;
  RCPtr<LIniFileManager> manager = LoadedManager();
  int32_t handle = Open(*manager);
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    StringW text;
    ASSERT_EQ(manager->GetIniValueStr(handle, W(c.name), u"", text), S_OK);
    EXPECT_EQ(U(text), U(c.read));
    ASSERT_EQ(manager->SetIniValueStr(handle, W(c.name), text), S_OK);
    StringW again;
    ASSERT_EQ(manager->GetIniValueStr(handle, W(c.name), u"", again), S_OK);
    EXPECT_EQ(U(again), U(c.read));
  }
}

TEST_F(SettingsManager, TheCutAt1023BytesDropsACharacterItSplits) {
  RCPtr<LIniFileManager> manager = LoadedManager();
  int32_t handle = Open(*manager);
  ASSERT_EQ(manager->SetIniValueStr(handle, u"Long", W(std::string(1022, 'a') + "\xC3\xA9")), S_OK);
  StringW text;
  EXPECT_EQ(manager->GetIniValueStr(handle, u"Long", u"", text), S_OK);
  EXPECT_EQ(U(text), std::string(1022, 'a'));
}

TEST_F(SettingsManager, WithoutALibraryEveryCallAnswersDefaults) {
  RCPtr<LIniFileManager> manager(new LIniFileManager());
  EXPECT_EQ(manager->Load(W(mFolder.GetPath())), E_FAIL);
  int32_t handle = 7;
  EXPECT_EQ(manager->OpenIniFile(u"/x/UserSettings.ini", kVersion, kProduct, handle), E_FAIL);
  EXPECT_EQ(handle, 0);
  int32_t value = 0;
  EXPECT_EQ(manager->GetIniValueInt(1, u"CurrentSkinIndex", 5, value), E_FAIL);
  EXPECT_EQ(value, 5);
  EXPECT_FALSE(manager->DoesNodeExist(1, u"CurrentSkinIndex"));
  StringW text = u"old";
  EXPECT_EQ(manager->GetIniValueStr(1, u"Key", u"default", text), E_FAIL);
  EXPECT_EQ(U(text), "default");
  EXPECT_EQ(manager->GetKeyNameAt(1, u"", 0, text), E_FAIL);
  EXPECT_TRUE(text.IsEmpty());
  int32_t count = 3;
  EXPECT_EQ(manager->GetKeyCount(1, u"", count), E_FAIL);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(manager->SetIniValueInt(1, u"CurrentSkinIndex", 1), E_FAIL);
  EXPECT_EQ(manager->Unload(), S_FALSE);
}

TEST_F(SettingsManager, ALibraryLackingAnEntryPointFailsOnlyThatCall) {
  CIniFileManagerProxy proxy;
  EXPECT_EQ(proxy.Load(W(HV_TEST_LIBRARY_DIR "/without-get-array-count")), E_FAIL);
  int32_t handle = 0;
  ASSERT_EQ(proxy.OpenIniFile(W(mFolder / "UserSettings.ini"), kVersion, kProduct, handle), S_OK);
  int32_t count = 4;
  EXPECT_EQ(proxy.GetArrayCount(handle, u"List", count), E_FAIL);
  EXPECT_EQ(count, 0);
  EXPECT_EQ(proxy.SetIniValueInt(handle, u"Key", 3), S_OK);
  EXPECT_EQ(proxy.Load(StringW()), S_FALSE);
}

TEST_F(SettingsManager, BadTextSizesFromALibraryAreSafe) {
  CIniFileManagerProxy proxy;
  ASSERT_EQ(proxy.Load(W(HV_TEST_LIBRARY_DIR "/misbehaving")), S_OK);
  struct Case {
    const char16_t* key;
    HV::HResult result;
    const char* text;
  } const kCases[] = {
      {u"needed=10", -2, ""},  // a second buffer of at least 1024 bytes takes the cut
      {u"needed=1", -2, ""},
      {u"needed=0", E_FAIL, "kept"},
      {u"needed=-7", E_FAIL, "kept"},
      {u"needed=2147483647", E_FAIL, "kept"},
  };
  for (const Case& c : kCases) {
    StringW text = u"kept";
    EXPECT_EQ(proxy.GetIniValueStr(1, c.key, u"", text), c.result) << U(c.key);
    EXPECT_EQ(U(text), c.text) << U(c.key);
    text = u"kept";
    EXPECT_EQ(proxy.GetArrayItemAt(1, c.key, 0, text), c.result) << U(c.key);
    EXPECT_EQ(U(text), c.text) << U(c.key);
  }
  StringW name;
  EXPECT_EQ(proxy.GetKeyNameAt(1, u"x", 0, name), S_OK);
  EXPECT_EQ(U(name), std::string(1023, 'x'));
}

TEST(SettingsLibraryPath, TrailingSeparatorsMakeNoDifference) {
  EXPECT_EQ(U(CIniFileManagerProxy::GetLibraryPath(u"/opt/editor")), "/opt/editor/IniFileManager.dll");
  EXPECT_EQ(U(CIniFileManagerProxy::GetLibraryPath(u"/opt/editor/")), "/opt/editor/IniFileManager.dll");
  EXPECT_EQ(U(CIniFileManagerProxy::GetLibraryPath(u"C:\\x\\")), "C:\\x\\IniFileManager.dll");
  EXPECT_EQ(U(CIniFileManagerProxy::GetLibraryPath(u"")), "IniFileManager.dll");
}

TEST_F(SettingsManager, SettingsFilesOpenOnceAndRetryAfterFailure) {
  RCPtr<LIniFileManager> manager = LoadedManager();
  int32_t cache = 0;
  StringW folder = W(mFolder / "Halvern/Tarsel");
  EXPECT_EQ(HV::OpenSettingsFile(*manager, folder, u"UserSettings.ini", kVersion, kProduct, cache), 0);
  EXPECT_EQ(cache, 0);
  std::filesystem::create_directories(mFolder / "Halvern/Tarsel");
  int32_t handle = HV::OpenSettingsFile(*manager, folder, u"UserSettings.ini", kVersion, kProduct, cache);
  EXPECT_NE(handle, 0);
  EXPECT_EQ(cache, handle);
  EXPECT_EQ(HV::OpenSettingsFile(*manager, u"/elsewhere", u"x.ini", kVersion, kProduct, cache), handle);

  int32_t noFolder = 0;
  EXPECT_EQ(HV::OpenSettingsFile(*manager, StringW(), u"UserSettings.ini", kVersion, kProduct, noFolder), 0);
}

TEST_F(SettingsManager, SettingsFoldersAreMadeLevelByLevel) {
  StringW folder = HV::MakeSettingsFolder(W(mFolder.GetPath()), u"Halvern: Tech", u"Tarsel/Editor");
  EXPECT_EQ(U(folder), mFolder / "Halvern_ Tech/Tarsel_Editor");
  EXPECT_TRUE(HV::File::FolderExists(folder));
  EXPECT_TRUE(HV::MakeSettingsFolder(StringW(), u"Halvern", u"Tarsel").IsEmpty());
}

}  // namespace
