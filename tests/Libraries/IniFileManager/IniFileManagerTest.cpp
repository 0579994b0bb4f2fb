// The settings-file library, loaded by its bare name as the program loads it.

#include "Libraries/IniFileManager/IniFileManagerApi.h"
#include "HVFramework/Platform/Core/DynamicLibrary.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/TextFiles.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace IniFileManagerApi;
using HV::Platform::DynamicLibrary;

constexpr const char* kEntryPoints[] = {
    "OpenIniFile",   "WriteIniFile",  "DoesNodeExist",  "CloseIniFile",   "GetIniValueInt",
    "SetIniValueInt", "GetIniValueStr", "SetIniValueStr", "GetKeyCount",   "GetKeyNameAt",
    "GetArrayCount", "SetArrayCount", "GetArrayItemAt", "SetArrayItemAt", "RemoveArrayItemAt"};

using HV::Test::ReadFileText;

void WriteFileBytes(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

mode_t ModeOf(const std::string& path) {
  struct stat info {};
  stat(path.c_str(), &info);
  return info.st_mode & 0777;
}

size_t FilesIn(const std::string& folder) {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

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

// Each handle writes only its own change into the file as it is on disk, so
// two handles (or two programs) on one file keep each other's settings.
TEST_F(IniFileManagerLibrary, TwoHandlesOnOneFileKeepEachOthersChanges) {
  int32_t first = Open(mPath);
  int32_t second = Open(mPath);
  EXPECT_EQ(mSetStr(first, "First", "1"), kOk);
  EXPECT_EQ(mSetStr(second, "Second", "2"), kOk);
  EXPECT_EQ(mSetArrayCount(first, "List", 1), kOk);
  EXPECT_EQ(mSetItem(second, "List", 0, "from second"), kOk);
  EXPECT_EQ(mWrite(first), kOk);
  EXPECT_EQ(ReadFileText(mPath), "# Tarsel settings, version 1_0_0\nFirst=1\nSecond=2\nList[]=from second\n");

  int32_t third = Open(mPath);
  EXPECT_EQ(GetStr(third, "First"), "1");
  EXPECT_EQ(GetStr(third, "Second"), "2");
  EXPECT_EQ(GetItem(third, "List", 0), "from second");
  EXPECT_EQ(GetStr(first, "Second"), "2");  // a write brings in what others wrote
  EXPECT_EQ(FilesIn(mFolder.GetPath()), 1u);
}

// Only entry lines belong to the library: comments, blank lines and lines it
// cannot read stay as they were, in place, and blanks around keys and values
// are not part of them.
TEST_F(IniFileManagerLibrary, HandEditsSurviveAWrite) {
  WriteFileBytes(mPath,
                 "# my notes\r\n"
                 "\n"
                 "Key = 5\n"
                 "  Spaced\t=  two words  \n"
                 "  # indented comment = not a key\n"
                 "not an entry\n"
                 "List[]=a\n"
                 "# between the items\n"
                 "List []= b\n"
                 "Broken[x]=1\n"
                 "Old=gone?\n"
                 "last line without break");
  int32_t handle = Open(mPath);
  int32_t value = 0;
  EXPECT_EQ(mGetInt(handle, "Key", 0, &value), kOk);
  EXPECT_EQ(value, 5);
  EXPECT_EQ(GetStr(handle, "Spaced"), "two words");
  EXPECT_EQ(GetItem(handle, "List", 1), "b");
  EXPECT_FALSE(mExists(handle, "  # indented comment"));
  EXPECT_FALSE(mExists(handle, "# indented comment"));

  EXPECT_EQ(mSetInt(handle, "Key", 6), kOk);
  EXPECT_EQ(mSetArrayCount(handle, "List", 3), kOk);
  EXPECT_EQ(mSetStr(handle, "Padded", " both ends\t"), kOk);
  EXPECT_EQ(ReadFileText(mPath),
            "# my notes\r\n"
            "\n"
            "Key=6\n"
            "Spaced=two words\n"
            "  # indented comment = not a key\n"
            "not an entry\n"
            "List[]=a\n"
            "# between the items\n"
            "List[]=b\n"
            "List[]=\n"
            "Broken[x]=1\n"
            "Old=gone?\n"
            "last line without break\n"
            "Padded=\\ both ends\\\t\n");
  EXPECT_EQ(GetStr(Open(mPath), "Padded"), " both ends\t");
}

// A text with bytes that are not UTF-8, or a NUL byte, comes out whole: the
// bytes as they are, a NUL as U+FFFD (a C string would end there).
TEST_F(IniFileManagerLibrary, ValuesWithBadBytesComeOutWhole) {
  constexpr char kBytes[] =
      "Latin=abc\xE9"
      "def\nNul=abc\0def\n";
  WriteFileBytes(mPath, std::string_view(kBytes, sizeof kBytes - 1));
  int32_t handle = Open(mPath);
  EXPECT_EQ(GetStr(handle, "Latin"),
            "abc\xE9"
            "def");
  EXPECT_EQ(GetStr(handle, "Nul"),
            "abc\xEF\xBF\xBD"
            "def");
  EXPECT_EQ(mSetStr(handle, "Other", "x"), kOk);
  EXPECT_EQ(GetStr(Open(mPath), "Latin"),
            "abc\xE9"
            "def");
}

// A write keeps the file's permissions and writes through a symbolic link to
// its target, beside which the temporary file is made.
TEST_F(IniFileManagerLibrary, AWriteKeepsPermissionsAndLinks) {
  std::string targetFolder = mFolder / "real";
  std::filesystem::create_directory(targetFolder);
  std::string target = targetFolder + "/Settings.ini";
  struct Case {
    const char* name;
    const char* linkText;  // the symbolic link at mPath, or none
    mode_t mode;           // of an existing target, or 0 for none
  } const kCases[] = {
      {"private file", nullptr, 0600},
      {"read-only for others", nullptr, 0640},
      {"absolute link", "", 0600},
      {"relative link", "real/Settings.ini", 0600},
      {"link to a missing file", "real/Settings.ini", 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(mPath);
    std::filesystem::remove(target);
    std::string file = c.linkText ? target : mPath;
    if (c.mode != 0) {
      WriteFileBytes(file, "Old=1\n");
      chmod(file.c_str(), c.mode);
    }
    if (c.linkText) std::filesystem::create_symlink(*c.linkText ? c.linkText : target.c_str(), mPath);

    int32_t handle = Open(mPath);
    ASSERT_EQ(mSetStr(handle, "New", "2"), kOk);
    EXPECT_EQ(std::filesystem::is_symlink(mPath), c.linkText != nullptr);
    EXPECT_EQ(ModeOf(file), c.mode != 0 ? c.mode : 0644);
    EXPECT_EQ(GetStr(Open(mPath), "New"), "2");
    EXPECT_EQ(FilesIn(mFolder.GetPath()), 2u);  // the file or link, and the folder "real"
    EXPECT_EQ(FilesIn(targetFolder), c.linkText ? 1u : 0u);
    EXPECT_EQ(mClose(handle, 0), kOk);
  }
}

// The reader refuses files larger than 4 MB, so a change that would make the
// file larger fails and changes nothing: every other setting stays readable.
TEST_F(IniFileManagerLibrary, AWriteThatWouldMakeTheFileTooLargeFails) {
  int32_t handle = Open(mPath);
  ASSERT_EQ(mSetStr(handle, "Kept", "old"), kOk);
  ASSERT_EQ(mSetArrayCount(handle, "Huge", 1), kOk);
  std::string before = ReadFileText(mPath);
  std::string huge(4 * 1024 * 1024, 'x');
  EXPECT_EQ(mSetStr(handle, "Kept", huge.c_str()), kFailed);
  EXPECT_EQ(mSetItem(handle, "Huge", 0, huge.c_str()), kFailed);
  EXPECT_EQ(ReadFileText(mPath), before);
  EXPECT_EQ(GetStr(handle, "Kept"), "old");
  EXPECT_EQ(GetItem(handle, "Huge", 0), "");
  EXPECT_EQ(mSetStr(handle, "Kept", huge.substr(0, 1024 * 1024).c_str()), kOk);
  EXPECT_NE(Open(mPath), 0);
}

// Anything but a regular file at the settings path fails at once: opening a
// FIFO for reading would otherwise wait for a writer forever.
TEST_F(IniFileManagerLibrary, OnlyARegularFileOpens) {
  std::string fifo = mFolder / "fifo.ini";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::string toDevice = mFolder / "device.ini";
  std::filesystem::create_symlink("/dev/null", toDevice);
  for (const std::string& path : {fifo, toDevice, mFolder.GetPath()}) {
    int32_t handle = 5;
    EXPECT_EQ(mOpen(path.c_str(), "1_0_0", "Tarsel", &handle), kFailed) << path;
    EXPECT_EQ(handle, 0);
  }
  // A FIFO put in place of an open file makes the next change fail, not wait.
  int32_t handle = Open(mPath);
  ASSERT_EQ(mSetStr(handle, "Kept", "old"), kOk);
  std::filesystem::remove(mPath);
  ASSERT_EQ(mkfifo(mPath.c_str(), 0600), 0);
  EXPECT_EQ(mSetStr(handle, "Kept", "new"), kFailed);
  EXPECT_EQ(GetStr(handle, "Kept"), "old");
}

TEST_F(IniFileManagerLibrary, ListingAfterAChangeShowsTheNewKey) {
  int32_t handle = Open(mPath);
  mSetInt(handle, "Midi/B", 1);
  int32_t count = 0;
  char name[32];
  int32_t needed = 0;
  EXPECT_EQ(mKeyCount(handle, "Midi", &count), kOk);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(mKeyName(handle, "Midi", 0, name, sizeof name, &needed), kOk);
  mSetInt(handle, "Midi/A", 2);
  EXPECT_EQ(mKeyCount(handle, "Midi", &count), kOk);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(mKeyName(handle, "Midi", 0, name, sizeof name, &needed), kOk);
  EXPECT_STREQ(name, "A");
  EXPECT_EQ(mKeyName(handle, "Midi", 2, name, sizeof name, &needed), kFailed);
}

// True while some thread waits for a flock on the file with inode `inode`
// (the kernel lists a blocked lock with "->").
bool HasBlockedFlock(ino_t inode) {
  std::ifstream locks("/proc/locks");
  std::string line;
  std::string suffix = ":" + std::to_string(inode) + " ";
  while (std::getline(locks, line)) {
    if (line.find("-> FLOCK") != std::string::npos && line.find(suffix) != std::string::npos) return true;
  }
  return false;
}

using IniFileManagerLibraryThreads = IniFileManagerLibrary;

// Another program holds the lock while it replaces the file: a change waits
// for the lock, sees that the file it waited on was replaced, and applies
// itself to the new file, so neither program's values are lost.
TEST_F(IniFileManagerLibraryThreads, AChangeWaitsForTheLockAndUsesTheFileWrittenMeanwhile) {
  if (!std::ifstream("/proc/locks")) GTEST_SKIP() << "no /proc/locks to see the change wait";
  int32_t handle = Open(mPath);
  ASSERT_EQ(mSetStr(handle, "First", "1"), kOk);
  int lockFd = open(mPath.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(lockFd, 0);
  ASSERT_EQ(flock(lockFd, LOCK_EX), 0);
  struct stat locked {};
  fstat(lockFd, &locked);

  int32_t result = kFailed;
  std::thread writer([&] { result = mSetStr(handle, "Second", "2"); });
  while (!HasBlockedFlock(locked.st_ino)) std::this_thread::yield();
  std::string other = mFolder / "other.tmp";
  WriteFileBytes(other, ReadFileText(mPath) + "Third=3\n");
  std::filesystem::rename(other, mPath);
  close(lockFd);
  writer.join();

  EXPECT_EQ(result, kOk);
  int32_t reopened = Open(mPath);
  EXPECT_EQ(GetStr(reopened, "First"), "1");
  EXPECT_EQ(GetStr(reopened, "Second"), "2");
  EXPECT_EQ(GetStr(reopened, "Third"), "3");
}

TEST(IniFileManagerTestLibrary, LacksOnlyGetArrayCount) {
  auto library = DynamicLibrary::Load(HV_TEST_LIBRARY_DIR "/without-get-array-count/IniFileManager.dll");
  ASSERT_TRUE(library);
  for (const char* name : kEntryPoints) {
    EXPECT_EQ(library->FindSymbol(name) == nullptr, std::string(name) == "GetArrayCount") << name;
  }
}

}  // namespace
