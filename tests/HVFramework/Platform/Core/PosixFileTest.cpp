#include "HVFramework/Platform/Core/PosixFile.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <algorithm>

namespace {

using namespace HV::Platform;

TEST(PosixFile, WritesReadsAndSeeks) {
  HV::Test::TemporaryFolder folder;
  std::string path = folder / "data.bin";
  int fd = OpenFile(path, FileAccess::ReadWrite, FileCreation::CreateNew);
  ASSERT_GE(fd, 0);
  EXPECT_NE(fcntl(fd, F_GETFD) & FD_CLOEXEC, 0);
  EXPECT_EQ(WriteFile(fd, "abcdef", 6), 6);
  EXPECT_EQ(GetFileSize(fd), 6);
  EXPECT_EQ(SeekFile(fd, 2, SeekOrigin::Start), 2);
  char buffer[8] = {};
  EXPECT_EQ(ReadFile(fd, buffer, sizeof buffer), 4);
  EXPECT_STREQ(buffer, "cdef");
  EXPECT_EQ(SeekFile(fd, -1, SeekOrigin::End), 5);
  EXPECT_EQ(SeekFile(fd, -10, SeekOrigin::Current), -1);
  EXPECT_TRUE(CloseFile(fd));
  EXPECT_EQ(OpenFile(path, FileAccess::ReadOnly, FileCreation::CreateNew), -1);
  EXPECT_EQ(OpenFile(folder / "missing", FileAccess::ReadOnly, FileCreation::OpenExisting), -1);
}

TEST(PosixFile, KindsAndFolderListing) {
  HV::Test::TemporaryFolder folder;
  EXPECT_TRUE(MakeFolder(folder / "sub"));
  EXPECT_FALSE(MakeFolder(folder / "sub"));
  CloseFile(OpenFile(folder / "file", FileAccess::ReadWrite, FileCreation::CreateIfMissing));
  EXPECT_EQ(GetPathKind(folder / "sub"), PathKind::Folder);
  EXPECT_EQ(GetPathKind(folder / "file"), PathKind::File);
  EXPECT_EQ(GetPathKind(folder / "none"), PathKind::Missing);
  EXPECT_EQ(GetPathKind("/dev/null"), PathKind::Other);

  std::vector<FolderEntry> entries;
  ASSERT_TRUE(ListFolder(folder.GetPath(), entries));
  std::sort(entries.begin(), entries.end(), [](auto& a, auto& b) { return a.name < b.name; });
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].name, "file");
  EXPECT_FALSE(entries[0].isFolder);
  EXPECT_EQ(entries[1].name, "sub");
  EXPECT_TRUE(entries[1].isFolder);
  EXPECT_FALSE(ListFolder(folder / "none", entries));
  EXPECT_TRUE(RemoveFile(folder / "file"));
  EXPECT_FALSE(IsAccessible(folder / "file"));
}

}  // namespace
