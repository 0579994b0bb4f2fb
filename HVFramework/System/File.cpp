#include "HVFramework/System/File.h"

#include "HVFramework/Platform/Core/PosixFile.h"

#include <algorithm>
#include <climits>
#include <string>

namespace HV {
namespace {

namespace Sys = Platform;

bool IsSeparator(char16_t c) { return c == u'/' || c == u'\\'; }

int32_t LastSeparator(const StringW& path) {
  return std::max(path.ReverseFind(u'/'), path.ReverseFind(u'\\'));
}

// Paths reach the system as UTF-8 with every backslash made a slash: the
// framework's callers still build paths with either separator.
std::string ToSystem(const StringW& path) {
  StringA utf8 = path.ToCharString();
  std::string text(utf8.GetText(), static_cast<size_t>(utf8.GetLength()));
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

Sys::FileCreation CreationOf(uint32_t flags) {
  if ((flags & File::kCreate) == 0) return Sys::FileCreation::OpenExisting;
  return (flags & File::kExclusive) ? Sys::FileCreation::CreateNew : Sys::FileCreation::CreateIfMissing;
}

// Windows wildcards over UTF-16 units, letters compared without case.
bool Matches(std::u16string_view name, std::u16string_view pattern) {
  size_t n = 0, p = 0, starP = std::u16string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (starP != std::u16string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

}  // namespace

File::File(const StringW& folderOrPath, const StringW& name, uint32_t flags) : mFlags(flags) {
  Open(folderOrPath, name, flags);
}

File::~File() { Close(); }

HResult File::Open(const StringW& folderOrPath, const StringW& name, uint32_t flags) {
  if (IsOpen()) return S_FALSE;
  if (!name.IsEmpty()) {
    mFileName = name;
    mPath = CombinePath(folderOrPath, name);
  } else if (folderOrPath.IsEmpty()) {
    Throw<std::runtime_error>("invalid pathname", HV_HERE("HV::File::Open"));
  } else {
    mPath = folderOrPath;
  }
  mFlags = flags;
  auto access = (flags & kWrite) ? Sys::FileAccess::ReadWrite : Sys::FileAccess::ReadOnly;
  int descriptor = Sys::OpenFile(ToSystem(mPath), access, CreationOf(flags));
  if (descriptor < 0) return E_FAIL;
  RCPtr<LHolder<int>> holder(new LHolder<int>());
  if (holder->GetValue() == nullptr) {
    Sys::CloseFile(descriptor);
    return E_OUTOFMEMORY;
  }
  *holder->GetValue() = descriptor;
  mDescriptor = holder;
  return S_OK;
}

HResult File::Close() {
  if (!IsOpen()) return S_OK;
  // Other owners of the descriptor keep it open; the last one closes it.
  if (mDescriptor->GetRefCount() == 1) {
    Sys::CloseFile(Descriptor());
    if (mFlags & kDeleteOnClose) Sys::RemoveFile(ToSystem(mPath));
  }
  mDescriptor = nullptr;
  return S_OK;
}

void File::SeekForTransfer(int32_t offset, const SourceLocation& where) {
  if (offset == -1) return;
  if (Sys::SeekFile(Descriptor(), offset, Sys::SeekOrigin::Start) != offset) {
    Throw<std::runtime_error>("lseek", where);
  }
}

int32_t File::Read(void* buffer, int32_t count, int32_t offset) {
  if (!IsOpen() || count < 0) Throw<std::runtime_error>("read", HV_HERE("HV::File::Read"));
  SeekForTransfer(offset, HV_HERE("HV::File::Read"));
  int64_t read = Sys::ReadFile(Descriptor(), buffer, static_cast<size_t>(count));
  if (read < 0) Throw<std::runtime_error>("read", HV_HERE("HV::File::Read"));
  return static_cast<int32_t>(read);
}

int32_t File::Write(const void* buffer, int32_t count, int32_t offset) {
  if ((mFlags & kWrite) == 0) Throw<std::runtime_error>("file is read only", HV_HERE("HV::File::Write"));
  if (!IsOpen() || count < 0) Throw<std::runtime_error>("write", HV_HERE("HV::File::Write"));
  SeekForTransfer(offset, HV_HERE("HV::File::Write"));
  int64_t written = Sys::WriteFile(Descriptor(), buffer, static_cast<size_t>(count));
  if (written < 0) Throw<std::runtime_error>("write", HV_HERE("HV::File::Write"));
  return static_cast<int32_t>(written);
}

int32_t File::Seek(int32_t offset, int32_t origin) {
  if (!IsOpen() || origin < 0 || origin > 2) return -1;
  int64_t position = Sys::SeekFile(Descriptor(), offset, static_cast<Sys::SeekOrigin>(origin));
  return position > INT32_MAX ? -1 : static_cast<int32_t>(position);
}

int32_t File::GetLength() const {
  if (!IsOpen()) return 0;
  int64_t size = Sys::GetFileSize(Descriptor());
  if (size < 0) Throw<std::runtime_error>("fstat", HV_HERE("HV::File::GetLength"));
  return static_cast<int32_t>(std::min<int64_t>(size, INT32_MAX));
}

StringW File::CombinePath(const StringW& folder, const StringW& name) {
  if (folder.IsEmpty()) return name;
  if (IsSeparator(folder[folder.GetLength() - 1])) return folder + name;
  return folder + StringW(u"/") + name;
}

StringW File::GetFolderFromPath(const StringW& path) {
  int32_t separator = LastSeparator(path);
  if (separator < 0) return path;
  return separator == 0 ? path.Left(1) : path.Left(separator);
}

StringW File::GetFileNameFromPath(const StringW& path) {
  int32_t separator = LastSeparator(path);
  if (separator < 0 || separator == path.GetLength() - 1) return path;
  return path.Mid(separator + 1);
}

// Linux has no short forms of names to expand: the path is already long.
StringW File::GetLongPath(const StringW& path) { return path; }

StringW File::MakeValidFileName(const StringW& text) {
  StringW valid = text;
  valid.ReplaceChars(u"\\/:*?\"<>|&;,^()", u'_');
  return valid;
}

bool File::FileExists(const StringW& path) {
  Sys::PathKind kind = Sys::GetPathKind(ToSystem(path));
  return kind == Sys::PathKind::File || kind == Sys::PathKind::Other;
}

bool File::FolderExists(const StringW& path) {
  StringW folder = path;
  int32_t length = folder.GetLength();
  if (length > 1 && IsSeparator(folder[length - 1])) folder = folder.Left(length - 1);
  return Sys::GetPathKind(ToSystem(folder)) == Sys::PathKind::Folder;
}

HResult File::EnsureFolder(const StringW& path) {
  if (FolderExists(path)) return S_FALSE;
  if (FileExists(path)) return E_FAIL;
  return CreateFolders(path, false) ? S_OK : E_FAIL;
}

bool File::CreateFolders(const StringW& path, bool pathEndsInFileName) {
  for (int32_t i = 1; i < path.GetLength(); ++i) {
    if (IsSeparator(path[i])) Sys::MakeFolder(ToSystem(path.Left(i)));  // may exist already
  }
  if (!pathEndsInFileName) {
    Sys::MakeFolder(ToSystem(path));
    return Sys::GetPathKind(ToSystem(path)) == Sys::PathKind::Folder;
  }
  int32_t separator = LastSeparator(path);
  return separator < 0 || Sys::IsAccessible(ToSystem(GetFolderFromPath(path)));
}

HResult File::ListFiles(const StringW& folder, const StringW& pattern, std::vector<StringW>& result) {
  result.clear();
  if (!FolderExists(folder)) return E_NOTIMPL;
  std::vector<Sys::FolderEntry> entries;
  if (!Sys::ListFolder(ToSystem(folder), entries)) return E_FAIL;
  // "*.*" means every file, also those without a dot.
  StringW wanted = pattern == StringW(u"*.*") ? StringW(u"*") : pattern.ToLower();
  for (const Sys::FolderEntry& entry : entries) {
    StringW name(entry.name.c_str());
    if (!entry.isFolder && Matches(name.ToLower().GetView(), wanted.GetView())) {
      result.push_back(CombinePath(folder, name));
    }
  }
  std::sort(result.begin(), result.end());
  return static_cast<HResult>(std::min<size_t>(result.size(), INT32_MAX));
}

}  // namespace HV
