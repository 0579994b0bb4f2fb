#include "HVFramework/System/File.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/TextFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using HV::File;
using HV::StringW;
using HV::E_FAIL;
using HV::E_NOTIMPL;
using HV::S_FALSE;
using HV::S_OK;

StringW W(const std::string& utf8) { return HV::Test::Wide(utf8); }
std::string U(const StringW& text) { return HV::Test::Utf8(text); }

using HV::Test::ReadFileText;

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override { std::ofstream(mFolder / "existing.bin") << "0123456789"; }

  HV::Test::TemporaryFolder mFolder;
  StringW mPath = W(mFolder.GetPath());
};

TEST_F(FileTest, OpenFlagsDecideWhetherTheFileIsMadeOrKept) {
  struct Case {
    const char* name;
    uint32_t flags;
    HV::HResult result;
    int32_t length;
  } const kCases[] = {
      {"missing.bin", File::kRead, E_FAIL, 0},
      {"missing.bin", File::kRead | File::kExclusive, E_FAIL, 0},
      {"new.bin", File::kRead | File::kCreate, S_OK, 0},
      {"existing.bin", File::kRead | File::kWrite | File::kCreate, S_OK, 10},  // not truncated
      {"existing.bin", File::kRead | File::kCreate | File::kExclusive, E_FAIL, 0},
      {"existing.bin", File::kRead, S_OK, 10},
  };
  for (const Case& c : kCases) {
    File file(mPath, u"never-there", File::kRead);
    ASSERT_FALSE(file.IsOpen());
    EXPECT_EQ(file.Open(mPath, W(c.name), c.flags), c.result) << c.name << " " << std::hex << c.flags;
    EXPECT_EQ(file.GetLength(), c.length) << c.name;
  }
}

TEST_F(FileTest, ASecondOpenKeepsTheFirstFile) {
  File file(mPath, W("existing.bin"), File::kRead);
  EXPECT_EQ(file.Open(mPath, W("other.bin"), File::kRead | File::kCreate), S_FALSE);
  EXPECT_EQ(U(file.GetPath()), mFolder / "existing.bin");
  EXPECT_EQ(U(file.GetFileName()), "existing.bin");
  EXPECT_FALSE(File::FileExists(W(mFolder / "other.bin")));
}

TEST_F(FileTest, ReadsWritesAndSeeks) {
  File file(mPath, W("existing.bin"), File::kRead | File::kWrite);
  char buffer[16] = {};
  EXPECT_EQ(file.Read(buffer, 4, 3), 4);
  EXPECT_STREQ(buffer, "3456");
  EXPECT_EQ(file.Write("ab", 2, 8), 2);
  EXPECT_EQ(file.Write("cd", 2), 2);  // continues where the last write ended
  EXPECT_EQ(file.GetLength(), 12);
  EXPECT_EQ(file.Read(buffer, 4, 100), 0);  // past the end: nothing, no error
  EXPECT_EQ(file.Seek(-2, 2), 10);
  EXPECT_EQ(file.Seek(-20, 1), -1);
  file.Close();
  EXPECT_EQ(ReadFileText(mFolder / "existing.bin"), "01234567abcd");
}

TEST_F(FileTest, WritingAReadOnlyFileThrowsBeforeTouchingIt) {
  File file(mPath, W("existing.bin"), File::kRead);
  try {
    file.Write("xx", 2, 0);
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Runtime Error : file is read only : HV::File::Write : ", 0), 0u)
        << error.what();
  }
  EXPECT_EQ(ReadFileText(mFolder / "existing.bin"), "0123456789");
}

TEST_F(FileTest, FailuresThrowWithTheirMessages) {
  File file(mPath, W("existing.bin"), File::kRead | File::kWrite);
  char buffer[4];
  auto expectMessage = [](auto action, const std::string& start) {
    try {
      action();
      FAIL() << "no exception for " << start;
    } catch (const std::runtime_error& error) {
      EXPECT_EQ(std::string(error.what()).rfind(start, 0), 0u) << error.what();
    }
  };
  expectMessage([&] { file.Read(buffer, 4, -5); }, "Runtime Error : lseek : HV::File::Read : ");
  expectMessage([&] { file.Write(buffer, 4, -5); }, "Runtime Error : lseek : HV::File::Write : ");
  expectMessage([&] { File(StringW(), StringW(), File::kRead); }, "Runtime Error : invalid pathname : HV::File::Open : ");
  File directory(mPath, StringW(), File::kRead);
  expectMessage([&] { directory.Read(buffer, 4); }, "Runtime Error : read : HV::File::Read : ");
}

TEST_F(FileTest, DeleteOnCloseRemovesTheFile) {
  {
    File file(mPath, W("temporary.bin"), File::kRead | File::kWrite | File::kCreate | File::kDeleteOnClose);
    EXPECT_TRUE(File::FileExists(W(mFolder / "temporary.bin")));
  }
  EXPECT_FALSE(File::FileExists(W(mFolder / "temporary.bin")));
  File file(mPath, W("existing.bin"), File::kRead | File::kDeleteOnClose);
  EXPECT_EQ(file.Close(), S_OK);
  EXPECT_FALSE(file.IsOpen());
  EXPECT_FALSE(File::FileExists(W(mFolder / "existing.bin")));
}

TEST(FilePaths, TakeApartAndRepair) {
  struct Case {
    const char16_t* path;
    const char16_t* folder;
    const char16_t* name;
  } const kCases[] = {
      {u"a/b\\c", u"a/b", u"c"},
      {u"a\\b/c", u"a\\b", u"c"},
      {u"a/b", u"a", u"b"},
      {u"name", u"name", u"name"},
      {u"/name", u"/", u"name"},
      {u"a/b/", u"a/b", u"a/b/"},
      {u"", u"", u""},
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(U(File::GetFolderFromPath(c.path)), U(c.folder)) << U(c.path);
    EXPECT_EQ(U(File::GetFileNameFromPath(c.path)), U(c.name)) << U(c.path);
  }
  EXPECT_EQ(U(File::MakeValidFileName(u"a:b?c")), "a_b_c");
  EXPECT_EQ(U(File::MakeValidFileName(u"\\/:*?\"<>|&;,^()x")), "_______________x");
  EXPECT_EQ(U(File::CombinePath(u"a", u"b")), "a/b");
  EXPECT_EQ(U(File::CombinePath(u"a/", u"b")), "a/b");
  EXPECT_EQ(U(File::CombinePath(u"", u"b")), "b");
}

TEST_F(FileTest, FoldersAreTestedAndMade) {
  EXPECT_TRUE(File::FolderExists(u"/"));
  EXPECT_TRUE(File::FolderExists(mPath + StringW(u"/")));
  EXPECT_FALSE(File::FolderExists(W(mFolder / "existing.bin")));
  EXPECT_TRUE(File::FileExists(W(mFolder / "existing.bin")));
  EXPECT_FALSE(File::FileExists(mPath));

  EXPECT_EQ(File::EnsureFolder(mPath), S_FALSE);
  EXPECT_EQ(File::EnsureFolder(W(mFolder / "existing.bin")), E_FAIL);
  EXPECT_EQ(File::EnsureFolder(W(mFolder / "a/b\\c")), S_OK);
  EXPECT_TRUE(File::FolderExists(W(mFolder / "a/b/c")));
  EXPECT_EQ(File::EnsureFolder(W(mFolder / "existing.bin/sub")), E_FAIL);
  EXPECT_TRUE(File::CreateFolders(W(mFolder / "x/y/file.txt"), true));
  EXPECT_TRUE(File::FolderExists(W(mFolder / "x/y")));
  EXPECT_FALSE(File::FileExists(W(mFolder / "x/y/file.txt")));
}

TEST_F(FileTest, ListFilesMatchesWithoutCaseAndSorts) {
  std::ofstream(mFolder / "b.XML") << "";
  std::ofstream(mFolder / "a.xml") << "";
  std::ofstream(mFolder / "c.txt") << "";
  std::filesystem::create_directory(mFolder / "d.xml");
  std::vector<StringW> files;
  EXPECT_EQ(File::ListFiles(mPath, u"*.Xml", files), 2);
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(U(files[0]), mFolder / "a.xml");
  EXPECT_EQ(U(files[1]), mFolder / "b.XML");
  EXPECT_EQ(File::ListFiles(mPath, u"*.*", files), 4);
  EXPECT_EQ(File::ListFiles(mPath, u"?.txt", files), 1);
  EXPECT_EQ(File::ListFiles(mPath, u"*.none", files), 0);
  EXPECT_TRUE(files.empty());
  EXPECT_EQ(File::ListFiles(W(mFolder / "missing"), u"*", files), E_NOTIMPL);
}

}  // namespace
