// The settings-file library, loaded by its bare name as the program loads it.

#include "Libraries/IniFileManager/IniFileManagerApi.h"
#include "HVFramework/Platform/DynamicLibrary.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/TextFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace IniFileManagerApi;
using HV::Platform::DynamicLibrary;

constexpr const char* kEntryPoints[] = {
    "OpenIniFile",   "WriteIniFile",  "DoesNodeExist",  "CloseIniFile",   "GetIniValueInt",
    "SetIniValueInt", "GetIniValueStr", "SetIniValueStr", "GetKeyCount",   "GetKeyNameAt",
    "GetArrayCount", "SetArrayCount", "GetArrayItemAt", "SetArrayItemAt", "RemoveArrayItemAt"};

using HV::Test::ReadFileText;

class IniFileManagerLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    mLibrary = DynamicLibrary::Load("IniFileManager.dll");
    ASSERT_TRUE(mLibrary);
    Bind(mOpen, "OpenIniFile");
    Bind(mWrite, "WriteIniFile");
    Bind(mExists, "DoesNodeExist");
    Bind(mClose, "CloseIniFile");
    Bind(mGetInt, "GetIniValueInt");
    Bind(mSetInt, "SetIniValueInt");
    Bind(mGetStr, "GetIniValueStr");
    Bind(mSetStr, "SetIniValueStr");
    Bind(mKeyCount, "GetKeyCount");
    Bind(mKeyName, "GetKeyNameAt");
    Bind(mArrayCount, "GetArrayCount");
    Bind(mSetArrayCount, "SetArrayCount");
    Bind(mGetItem, "GetArrayItemAt");
    Bind(mSetItem, "SetArrayItemAt");
    Bind(mRemoveItem, "RemoveArrayItemAt");
  }

  template <class Function>
  void Bind(Function& function, const char* name) {
    function = mLibrary->FindFunction<Function>(name);
    ASSERT_NE(function, nullptr) << name;
  }

  int32_t Open(const std::string& path) {
    int32_t handle = -1;
    EXPECT_EQ(mOpen(path.c_str(), "1_0_0", "Tarsel", &handle), kOk);
    return handle;
  }

  std::string GetStr(int32_t handle, const char* key, const char* defaultText = "") {
    char buffer[256] = {};
    int32_t needed = 0;
    EXPECT_EQ(mGetStr(handle, key, defaultText, buffer, sizeof buffer, &needed), kOk);
    return buffer;
  }

  std::string GetItem(int32_t handle, const char* key, int32_t index) {
    char buffer[256] = {};
    int32_t needed = 0;
    EXPECT_EQ(mGetItem(handle, key, index, buffer, sizeof buffer, &needed), kOk);
    return buffer;
  }

  HV::Test::TemporaryFolder mFolder;
  std::string mPath = mFolder / "UserSettings.ini";
  std::unique_ptr<DynamicLibrary> mLibrary;
  OpenIniFileFn mOpen = nullptr;
  WriteIniFileFn mWrite = nullptr;
  DoesNodeExistFn mExists = nullptr;
  CloseIniFileFn mClose = nullptr;
  GetIniValueIntFn mGetInt = nullptr;
  SetIniValueIntFn mSetInt = nullptr;
  GetIniValueStrFn mGetStr = nullptr;
  SetIniValueStrFn mSetStr = nullptr;
  GetKeyCountFn mKeyCount = nullptr;
  GetKeyNameAtFn mKeyName = nullptr;
  GetArrayCountFn mArrayCount = nullptr;
  SetArrayCountFn mSetArrayCount = nullptr;
  GetArrayItemAtFn mGetItem = nullptr;
  SetArrayItemAtFn mSetItem = nullptr;
  RemoveArrayItemAtFn mRemoveItem = nullptr;
};

TEST_F(IniFileManagerLibrary, ValuesReachTheDiskWithoutWriteAndSurviveReopening) {
  int32_t handle = Open(mPath);
  ASSERT_NE(handle, 0);
  EXPECT_EQ(mSetInt(handle, "CurrentSkinIndex", -3), kOk);
  EXPECT_EQ(mSetStr(handle, "Window\\Title", "Tarsel \xC3\xA9\xE2\x82\xAC"), kOk);
  EXPECT_EQ(mSetStr(handle, "Odd=key[]\\", "line 1\nline 2\r=[]\\"), kOk);
  EXPECT_EQ(mSetStr(handle, "#NotAComment", "kept"), kOk);
  EXPECT_EQ(mSetArrayCount(handle, "Recent", 2), kOk);
  EXPECT_EQ(mSetItem(handle, "Recent", 1, "second"), kOk);

  // A second handle reads the file as it is on disk now.
  int32_t reopened = Open(mPath);
  int32_t value = 0;
  EXPECT_EQ(mGetInt(reopened, "CurrentSkinIndex", 7, &value), kOk);
  EXPECT_EQ(value, -3);
  EXPECT_EQ(GetStr(reopened, "Window/Title"), "Tarsel \xC3\xA9\xE2\x82\xAC");
  EXPECT_EQ(GetStr(reopened, "Odd=key[]\\"), "line 1\nline 2\r=[]\\");
  EXPECT_EQ(GetStr(reopened, "#NotAComment"), "kept");
  int32_t count = 0;
  EXPECT_EQ(mArrayCount(reopened, "Recent", &count), kOk);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(GetItem(reopened, "Recent", 0), "");
  EXPECT_EQ(GetItem(reopened, "Recent", 1), "second");
  EXPECT_EQ(mClose(handle, 0), kOk);
  EXPECT_EQ(mClose(reopened, 0), kOk);
  EXPECT_EQ(mClose(reopened, 0), kFailed);
}

TEST_F(IniFileManagerLibrary, MissingOrMalformedValuesAnswerTheDefault) {
  std::ofstream(mPath) << "# hand-written\nNumber=12x\ngarbage line\nText=abc\n";
  int32_t handle = Open(mPath);
  int32_t value = 0;
  EXPECT_EQ(mGetInt(handle, "Missing", 5, &value), kOk);
  EXPECT_EQ(value, 5);
  EXPECT_EQ(mGetInt(handle, "Number", 6, &value), kOk);
  EXPECT_EQ(value, 6);
  EXPECT_EQ(GetStr(handle, "Missing", "fallback"), "fallback");
  EXPECT_EQ(GetStr(handle, "Text"), "abc");
  EXPECT_EQ(mGetInt(handle + 1000, "Number", 4, &value), kFailed);
  EXPECT_EQ(value, 4);
}

TEST_F(IniFileManagerLibrary, ASmallBufferGetsMinusTwoAndTheSizeNeeded) {
  int32_t handle = Open(mPath);
  ASSERT_EQ(mSetStr(handle, "Key", "0123456789"), kOk);
  char buffer[4] = {'x', 'x', 'x', 'x'};
  int32_t needed = 0;
  EXPECT_EQ(mGetStr(handle, "Key", "", buffer, sizeof buffer, &needed), kBufferTooSmall);
  EXPECT_EQ(needed, 11);
  EXPECT_EQ(buffer[0], '\0');
  char exact[11];
  EXPECT_EQ(mGetStr(handle, "Key", "", exact, sizeof exact, &needed), kOk);
  EXPECT_STREQ(exact, "0123456789");
}

TEST_F(IniFileManagerLibrary, SectionsListTheirKeysInOrder) {
  int32_t handle = Open(mPath);
  mSetInt(handle, "Midi/Output", 1);
  mSetInt(handle, "Midi/Input", 2);
  mSetInt(handle, "Midi/Ports/A", 3);
  mSetArrayCount(handle, "Midi/Recent", 1);
  mSetInt(handle, "Top", 4);
  int32_t count = 0;
  EXPECT_EQ(mKeyCount(handle, "Midi", &count), kOk);
  ASSERT_EQ(count, 4);
  const char* expected[] = {"Input", "Output", "Ports", "Recent"};
  for (int32_t i = 0; i < count; ++i) {
    char name[32];
    int32_t needed = 0;
    EXPECT_EQ(mKeyName(handle, "Midi", i, name, sizeof name, &needed), kOk);
    EXPECT_STREQ(name, expected[i]);
  }
  EXPECT_EQ(mKeyCount(handle, "", &count), kOk);
  EXPECT_EQ(count, 2);
  EXPECT_TRUE(mExists(handle, "Midi"));
  EXPECT_TRUE(mExists(handle, "Midi\\Ports\\A"));
  EXPECT_FALSE(mExists(handle, "Mid"));
  EXPECT_FALSE(mExists(handle, "Nothing"));
}

TEST_F(IniFileManagerLibrary, ArrayItemsAreSetAndRemovedWithinBounds) {
  int32_t handle = Open(mPath);
  ASSERT_EQ(mSetArrayCount(handle, "List", 3), kOk);
  for (int32_t i = 0; i < 3; ++i) mSetItem(handle, "List", i, std::to_string(i).c_str());
  EXPECT_EQ(mSetItem(handle, "List", 3, "x"), kFailed);
  EXPECT_EQ(mSetItem(handle, "List", -1, "x"), kFailed);
  EXPECT_EQ(mRemoveItem(handle, "List", 1), kOk);
  EXPECT_EQ(mRemoveItem(handle, "List", 2), kFailed);
  EXPECT_EQ(mSetArrayCount(handle, "List", -1), kFailed);
  EXPECT_EQ(mSetArrayCount(handle, "List", 1 << 30), kFailed);
  int32_t reopened = Open(mPath);
  int32_t count = 0;
  mArrayCount(reopened, "List", &count);
  ASSERT_EQ(count, 2);
  EXPECT_EQ(GetItem(reopened, "List", 0), "0");
  EXPECT_EQ(GetItem(reopened, "List", 1), "2");
}

TEST_F(IniFileManagerLibrary, OpeningInAMissingFolderFails) {
  int32_t handle = 5;
  EXPECT_EQ(mOpen((mFolder / "missing/UserSettings.ini").c_str(), "1_0_0", "Tarsel", &handle), kFailed);
  EXPECT_EQ(handle, 0);
  EXPECT_EQ(mOpen(mFolder.GetPath().c_str(), "1_0_0", "Tarsel", &handle), kFailed);
}

// A write that cannot reach the disk fails, and neither the file nor the
// values in memory change.
TEST_F(IniFileManagerLibrary, AFailedWriteLosesNothing) {
  std::string folder = mFolder / "settings";
  std::filesystem::create_directory(folder);
  std::string path = folder + "/UserSettings.ini";
  int32_t handle = Open(path);
  ASSERT_EQ(mSetStr(handle, "Kept", "old"), kOk);
  std::string before = ReadFileText(path);

  std::filesystem::rename(folder, mFolder / "moved");
  EXPECT_EQ(mSetStr(handle, "Kept", "new"), kFailed);
  EXPECT_EQ(GetStr(handle, "Kept"), "old");
  std::filesystem::rename(mFolder / "moved", folder);
  EXPECT_EQ(ReadFileText(path), before);

  if (geteuid() != 0) {  // permissions do not stop the superuser
    chmod(folder.c_str(), 0500);
    EXPECT_EQ(mSetStr(handle, "Kept", "new"), kFailed);
    EXPECT_EQ(GetStr(handle, "Kept"), "old");
    EXPECT_EQ(ReadFileText(path), before);
    chmod(folder.c_str(), 0700);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
}

TEST_F(IniFileManagerLibrary, ExportsOnlyItsEntryPoints) {
  for (const char* name : kEntryPoints) EXPECT_NE(mLibrary->FindSymbol(name), nullptr) << name;
  EXPECT_EQ(mLibrary->FindSymbol("_ZN18IniFileManagerImpl11IniDocument12NormaliseKeyB5cxx11ESt17basic_string_viewIcSt11char_traitsIcEE"),
            nullptr);
}

TEST(IniFileManagerTestLibrary, LacksOnlyGetArrayCount) {
  auto library = DynamicLibrary::Load(HV_TEST_LIBRARY_DIR "/without-get-array-count/IniFileManager.dll");
  ASSERT_TRUE(library);
  for (const char* name : kEntryPoints) {
    EXPECT_EQ(library->FindSymbol(name) == nullptr, std::string(name) == "GetArrayCount") << name;
  }
}

}  // namespace
