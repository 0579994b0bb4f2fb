#include "HVFramework/Platform/Core/PosixFile.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/support/UnansweredFifo.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <algorithm>
#include <cerrno>

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

// A FIFO would wait for a writer for ever, a folder or a device is no file:
// each is refused at once, for reading and for writing alike.
TEST(PosixFile, OnlyRegularFilesAreOpened) {
  HV::Test::UnansweredFifo fifo;
  const std::string folder = fifo.GetFolder() / "sub";
  ASSERT_TRUE(MakeFolder(folder));
  struct Row {
    const char* what;
    std::string path;
    const char* reason;  // what a read tells the user
  } const rows[] = {{"FIFO", fifo.GetPath(), "Not a regular file"},
                    {"folder", folder, "Is a directory"},
                    {"device", "/dev/zero", "Not a regular file"}};
  for (const Row& row : rows) {
    EXPECT_EQ(fifo.Run([&] { return OpenFile(row.path, FileAccess::ReadOnly, FileCreation::OpenExisting); }), -1)
        << row.what;
    EXPECT_EQ(errno, EINVAL) << row.what;
    EXPECT_EQ(fifo.Run([&] { return OpenFile(row.path, FileAccess::ReadWrite, FileCreation::CreateIfMissing); }),
              -1)
        << row.what;
    std::vector<uint8_t> bytes{1, 2, 3};
    std::string reason;
    EXPECT_FALSE(fifo.Run([&] { return ReadWholeFile(row.path, 1024, bytes, &reason); })) << row.what;
    EXPECT_TRUE(bytes.empty()) << row.what;
    EXPECT_EQ(reason, row.reason);
  }
  EXPECT_FALSE(fifo.WasUnblocked());
}

TEST(PosixFile, AWholeFileIsReadUpToItsCap) {
  HV::Test::TemporaryFolder folder;
  const std::string path = folder / "data.bin";
  const int fd = OpenFile(path, FileAccess::ReadWrite, FileCreation::CreateNew);
  ASSERT_GE(fd, 0);
  EXPECT_NE(fcntl(fd, F_GETFL) & O_NONBLOCK, O_NONBLOCK);
  ASSERT_EQ(WriteFile(fd, "abcdef", 6), 6);
  CloseFile(fd);
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadWholeFile(path, 6, bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "abcdef");
  std::string reason;
  EXPECT_FALSE(ReadWholeFile(path, 5, bytes, &reason));
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(reason, "File too large");
  EXPECT_FALSE(ReadWholeFile(folder / "missing", 6, bytes, &reason));
  EXPECT_EQ(reason, "No such file or directory");
}

}  // namespace
