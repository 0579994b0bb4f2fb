#include "Libraries/IniFileManager/IniFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace IniFileManagerImpl {
namespace {

// Settings files are small; a larger file is not ours and is refused.
constexpr off_t kMaxFileSize = 4 * 1024 * 1024;

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ReadWhole(int fd, std::string& text) {
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxFileSize) return false;
  text.resize(static_cast<size_t>(info.st_size));
  size_t done = 0;
  while (done < text.size()) {
    ssize_t got = read(fd, text.data() + done, text.size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
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

}  // namespace

IniFile::IniFile(std::string path, std::string header, IniDocument document)
    : mPath(std::move(path)), mHeader(std::move(header)), mDocument(std::move(document)) {}

std::unique_ptr<IniFile> IniFile::Open(const std::string& path, const std::string& version,
                                       const std::string& product) {
  if (path.empty() || path.back() == '/') return nullptr;
  std::string text;
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    bool isRead = ReadWhole(fd, text);
    close(fd);
    if (!isRead) return nullptr;
  } else if (errno != ENOENT || !IsFolder(FolderOf(path))) {
    return nullptr;
  }
  std::string header = product + " settings, version " + version;
  return std::unique_ptr<IniFile>(new IniFile(path, std::move(header), IniDocument::Parse(text)));
}

bool IniFile::Change(const std::function<bool(IniDocument&)>& change) {
  IniDocument changed = mDocument;
  if (!change(changed)) return false;
  std::swap(mDocument, changed);
  if (Write()) return true;
  std::swap(mDocument, changed);
  return false;
}

bool IniFile::Write() const {
  std::string temporary = mPath + ".XXXXXX";
  int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool isWritten = fchmod(fd, 0644) == 0 && WriteWhole(fd, mDocument.Serialize(mHeader)) && fsync(fd) == 0;
  isWritten = close(fd) == 0 && isWritten;
  if (isWritten && rename(temporary.c_str(), mPath.c_str()) == 0) return true;
  unlink(temporary.c_str());
  return false;
}

}  // namespace IniFileManagerImpl
