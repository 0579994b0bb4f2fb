#include "HVFramework/Platform/Core/PosixFile.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

namespace HV::Platform {
namespace {

// O_NONBLOCK keeps the open of a FIFO from waiting for its other end; it is
// taken off again once the file is known to be a regular one.
int OpenFlags(FileAccess access, FileCreation creation) {
  int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (access == FileAccess::ReadWrite ? O_RDWR : O_RDONLY);
  if (creation == FileCreation::CreateIfMissing) flags |= O_CREAT;
  if (creation == FileCreation::CreateNew) flags |= O_CREAT | O_EXCL;
  return flags;
}

template <class Transfer>
int64_t TransferAll(size_t count, Transfer transfer) {
  size_t done = 0;
  while (done < count) {
    ssize_t moved = transfer(done);
    if (moved < 0 && errno == EINTR) continue;
    if (moved < 0) return -1;
    if (moved == 0) break;
    done += static_cast<size_t>(moved);
  }
  return static_cast<int64_t>(done);
}

bool IsRegularFile(int descriptor) {
  struct stat info {};
  return fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode);
}

// The system's words for an error number, in the "C" locale's English.
std::string DescribeError(int error) { return std::generic_category().message(error); }

// OpenFile refuses what is no regular file with EINVAL; the user is told
// which kind of thing the path names instead.
std::string DescribeOpenFailure(const std::string& path, int error) {
  if (error != EINVAL) return DescribeError(error);
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode)) return DescribeError(error);
  return S_ISDIR(info.st_mode) ? DescribeError(EISDIR) : "Not a regular file";
}

}  // namespace

int OpenFile(const std::string& path, FileAccess access, FileCreation creation) {
  int descriptor;
  do {
    descriptor = open(path.c_str(), OpenFlags(access, creation), 0666);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) return -1;
  const int flags = fcntl(descriptor, F_GETFL);
  if (!IsRegularFile(descriptor) || flags < 0 || fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    close(descriptor);
    errno = EINVAL;
    return -1;
  }
  return descriptor;
}

bool CloseFile(int descriptor) { return close(descriptor) == 0; }

int64_t ReadFile(int descriptor, void* buffer, size_t count) {
  auto* bytes = static_cast<char*>(buffer);
  return TransferAll(count, [&](size_t done) { return read(descriptor, bytes + done, count - done); });
}

int64_t WriteFile(int descriptor, const void* buffer, size_t count) {
  const auto* bytes = static_cast<const char*>(buffer);
  return TransferAll(count, [&](size_t done) { return write(descriptor, bytes + done, count - done); });
}

bool SyncFile(int descriptor) {
  int result;
  do {
    result = fsync(descriptor);
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

int64_t SeekFile(int descriptor, int64_t offset, SeekOrigin origin) {
  static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  return lseek(descriptor, offset, kWhence[static_cast<int>(origin)]);
}

int64_t GetFileSize(int descriptor) {
  struct stat info {};
  return fstat(descriptor, &info) == 0 ? static_cast<int64_t>(info.st_size) : -1;
}

bool ReadWholeFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes, std::string* reason) {
  bytes.clear();
  const int descriptor = OpenFile(path, FileAccess::ReadOnly, FileCreation::OpenExisting);
  if (descriptor < 0) {
    if (reason) *reason = DescribeOpenFailure(path, errno);
    return false;
  }
  const int64_t size = GetFileSize(descriptor);
  int error = size < 0 ? errno : static_cast<uint64_t>(size) > maxBytes ? EFBIG : 0;
  if (error == 0) {
    bytes.resize(static_cast<size_t>(size));
    const int64_t read = ReadFile(descriptor, bytes.data(), bytes.size());
    // A file that shrank while it was read has lost its end: no whole file.
    if (read != size) error = read < 0 ? errno : EIO;
  }
  close(descriptor);
  if (error == 0) return true;
  bytes.clear();
  if (reason) *reason = DescribeError(error);
  return false;
}

bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0; }

bool ReplaceFile(const std::string& from, const std::string& to) {
  const int descriptor = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return false;
  const bool isSynced = fsync(descriptor) == 0;
  close(descriptor);
  return isSynced && std::rename(from.c_str(), to.c_str()) == 0;
}

PathKind GetPathKind(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return PathKind::Missing;
  if (S_ISDIR(info.st_mode)) return PathKind::Folder;
  return S_ISREG(info.st_mode) ? PathKind::File : PathKind::Other;
}

bool IsAccessible(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

bool MakeFolder(const std::string& path) { return mkdir(path.c_str(), 0777) == 0; }

bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries) {
  entries.clear();
  DIR* folder = opendir(path.c_str());
  if (folder == nullptr) return false;
  for (;;) {
    errno = 0;
    const dirent* entry = readdir(folder);
    if (entry == nullptr) break;
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool isFolder = GetPathKind(path + "/" + name) == PathKind::Folder;
    entries.push_back({std::move(name), isFolder});
  }
  bool isComplete = errno == 0;
  closedir(folder);
  return isComplete;
}

}  // namespace HV::Platform
