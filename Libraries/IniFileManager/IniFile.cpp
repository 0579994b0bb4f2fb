#include "Libraries/IniFileManager/IniFile.h"

#include "Libraries/IniFileManager/FileLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>

namespace IniFileManagerImpl {
namespace {

// Settings files are small; a larger file is not ours and is refused, and a
// change that would make the file larger is refused too.
constexpr off_t kMaxFileSize = 4 * 1024 * 1024;
constexpr int kMaxLinkHops = 40;

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
