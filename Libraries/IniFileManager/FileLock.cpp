#include "Libraries/IniFileManager/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace IniFileManagerImpl {
namespace {

constexpr mode_t kNewFileMode = 0644;
// A lock is retried when the file was replaced while we waited for it; this
// bounds the retries against a path that keeps changing under us.
constexpr int kMaxAttempts = 100;

bool LockExclusive(int fd) {
  while (flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

bool IsSameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

int OpenRegularFile(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return -1;
  struct stat info {};
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) return fd;
  close(fd);
  errno = EINVAL;
  return -1;
}

FileLock::~FileLock() {
  if (mFd < 0) return;
  if (mIsCreated) unlink(mPath.c_str());
  close(mFd);
}

bool FileLock::Acquire(const std::string& path) {
  for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
    bool isCreated = false;
    int fd = OpenRegularFile(path);
    if (fd < 0 && errno == ENOENT) {
      fd = open(path.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0600);
      if (fd < 0 && errno == EEXIST) continue;
      isCreated = fd >= 0;
    }
    if (fd < 0) return false;
    struct stat held {};
    struct stat named {};
    if (LockExclusive(fd) && fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 &&
        IsSameFile(held, named)) {
      mFd = fd;
      mPath = path;
      mIsCreated = isCreated;
      mMode = isCreated ? kNewFileMode : (held.st_mode & 0777);
      return true;
    }
    close(fd);
  }
  return false;
}

}  // namespace IniFileManagerImpl
