#include "Libraries/IniFileManager/IniFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>

namespace IniFileManagerImpl {
namespace {

// Settings files are small; a larger file is not ours and is refused, and a
// change that would make the file larger is refused too.
constexpr off_t kMaxFileSize = 4 * 1024 * 1024;
constexpr mode_t kNewFileMode = 0644;
constexpr int kMaxLinkHops = 40;
// A lock is retried when the file was replaced while we waited for it; this
// bounds the retries against a path that keeps changing under us.
constexpr int kMaxLockAttempts = 100;

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The file that `path` finally names, following symbolic links; the last
// target need not exist yet.
std::string ResolveLinks(std::string path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
    std::string target(PATH_MAX, '\0');
    ssize_t length = readlink(path.c_str(), target.data(), target.size());
    if (length <= 0 || static_cast<size_t>(length) >= target.size()) break;
    target.resize(static_cast<size_t>(length));
    path = target.front() == '/' ? target : FolderOf(path) + '/' + target;
  }
  return path;
}

// Opens a regular file for reading. O_NONBLOCK keeps a FIFO or device at the
// path from blocking the open; anything but a regular file fails (errno EINVAL).
int OpenRegularFile(const std::string& path) {
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return -1;
  struct stat info {};
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) return fd;
  close(fd);
  errno = EINVAL;
  return -1;
}

bool ReadWhole(int fd, std::string& text) {
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxFileSize) return false;
  text.resize(static_cast<size_t>(info.st_size));
  size_t done = 0;
  while (done < text.size()) {
    ssize_t got = read(fd, text.data() + done, text.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    done += static_cast<size_t>(got);
  }
  text.resize(done);
  return true;
}

bool WriteWhole(int fd, const std::string& text) {
  size_t done = 0;
  while (done < text.size()) {
    ssize_t put = write(fd, text.data() + done, text.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<size_t>(put);
  }
  return true;
}

// Puts `text` at `path` atomically: a temporary file beside it with the given
// permissions, renamed over it.
bool ReplaceFile(const std::string& path, const std::string& text, mode_t mode) {
  std::string temporary = path + ".XXXXXX";
  int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool isWritten = fchmod(fd, mode) == 0 && WriteWhole(fd, text) && fsync(fd) == 0;
  isWritten = close(fd) == 0 && isWritten;
  if (isWritten && rename(temporary.c_str(), path.c_str()) == 0) return true;
  unlink(temporary.c_str());
  return false;
}

// FileLock: an exclusive flock on the file at a path, held until destruction.
// The lock is taken on the file the path names when the lock is granted: a
// writer before us may have renamed a new file into place while we waited. A
// missing file is created empty to hold the lock, and removed again unless
// the change that needed it was written (KeepFile).
class FileLock {
 public:
  FileLock() = default;
  ~FileLock() {
    if (mFd < 0) return;
    if (mIsCreated) unlink(mPath.c_str());
    close(mFd);
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool Acquire(const std::string& path) {
    for (int attempt = 0; attempt < kMaxLockAttempts; ++attempt) {
      bool isCreated = false;
      int fd = OpenRegularFile(path);
      if (fd < 0 && errno == ENOENT) {
        fd = open(path.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0600);
        if (fd < 0 && errno == EEXIST) continue;
        isCreated = fd >= 0;
      }
      if (fd < 0) return false;
      struct stat held {
      }, named{};
      if (LockExclusive(fd) && fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 &&
          held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
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

  int GetDescriptor() const { return mFd; }
  // The permissions the rewritten file gets: the file's own, or those of a new settings file.
  mode_t GetMode() const { return mMode; }
  void KeepFile() { mIsCreated = false; }

 private:
  static bool LockExclusive(int fd) {
    while (flock(fd, LOCK_EX) != 0) {
      if (errno != EINTR) return false;
    }
    return true;
  }

  int mFd = -1;
  std::string mPath;
  bool mIsCreated = false;
  mode_t mMode = kNewFileMode;
};

}  // namespace

IniFile::IniFile(std::string path, std::string header, IniDocument document)
    : mPath(std::move(path)), mHeader(std::move(header)), mDocument(std::move(document)) {}

std::unique_ptr<IniFile> IniFile::Open(const std::string& path, const std::string& version,
                                       const std::string& product) {
  if (path.empty() || path.back() == '/') return nullptr;
  std::string text;
  int fd = OpenRegularFile(path);
  if (fd >= 0) {
    bool isRead = ReadWhole(fd, text);
    close(fd);
    if (!isRead) return nullptr;
  } else if (errno != ENOENT || !IsFolder(FolderOf(ResolveLinks(path)))) {
    return nullptr;
  }
  std::string header = product + " settings, version " + version;
  return std::unique_ptr<IniFile>(new IniFile(path, std::move(header), IniDocument::Parse(text)));
}

bool IniFile::Change(const std::function<bool(IniDocument&)>& change) {
  std::string target = ResolveLinks(mPath);
  FileLock lock;
  std::string text;
  if (!lock.Acquire(target) || !ReadWhole(lock.GetDescriptor(), text)) return false;
  IniDocument document = IniDocument::Parse(text);
  if (!change(document)) return false;
  std::string written = document.Serialize(mHeader);
  if (written.size() > static_cast<size_t>(kMaxFileSize) || !ReplaceFile(target, written, lock.GetMode())) {
    return false;
  }
  lock.KeepFile();
  mDocument = std::move(document);
  return true;
}

bool IniFile::Write() {
  return Change([](IniDocument&) { return true; });
}

}  // namespace IniFileManagerImpl
