#pragma once

// File: binary, unbuffered file access over a descriptor, with the framework's
// open flags, and the framework's path and folder functions. Failures of I/O
// throw Exception<std::runtime_error>; a failed open and the path functions
// answer through their results. One thread at a time.
//
// Paths are wide text here and UTF-8 at the system. Both '/' and '\' separate
// path levels (a backslash reaches the system as '/'); paths are put together
// with '/'.

#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/ObjectBase/Holder.h"
#include "HVFramework/ObjectBase/RCPtr.h"
#include "HVFramework/ObjectBase/ResultCodes.h"
#include "HVFramework/Utilities/Storage/StringT.h"

#include <cstdint>
#include <vector>

namespace HV {

class File {
 public:
  // Open flags; there is no append and no truncation.
  static constexpr uint32_t kRead = 0x10000;           // always allowed
  static constexpr uint32_t kWrite = 0x20000;          // without it Write throws
  static constexpr uint32_t kExclusive = 0x40000;      // with kCreate: fail when the file exists
  static constexpr uint32_t kCreate = 0x80000;         // create a missing file
  static constexpr uint32_t kDeleteOnClose = 0x100000;

  // Opens folder/name (or the path `folderOrPath` when `name` is empty). A
  // failed open leaves the file closed: GetLength then answers 0.
  File(const StringW& folderOrPath, const StringW& name, uint32_t flags);
  virtual ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // 0 when opened, 1 when already open (nothing changes), E_FAIL when the
  // system refused. Throws when folder and name are both empty.
  virtual HResult Open(const StringW& folderOrPath, const StringW& name, uint32_t flags);
  // Always 0. The last owner of the descriptor closes it (and deletes the
  // file when opened with kDeleteOnClose).
  virtual HResult Close();
  // Bytes read (0 at the end) or written; an offset other than -1 is sought
  // from the start first.
  virtual int32_t Read(void* buffer, int32_t count, int32_t offset = -1);
  virtual int32_t Write(const void* buffer, int32_t count, int32_t offset = -1);
  // origin: 0 start, 1 current, 2 end. The new position, or -1.
  virtual int32_t Seek(int32_t offset, int32_t origin);

  int32_t GetLength() const;
  bool IsOpen() const { return static_cast<bool>(mDescriptor); }
  const StringW& GetPath() const { return mPath; }
  const StringW& GetFileName() const { return mFileName; }

  // Path functions; none of them throws.
  // folder/name, with one separator between them; the name alone when the folder is empty.
  static StringW CombinePath(const StringW& folder, const StringW& name);
  static StringW GetFolderFromPath(const StringW& path);
  static StringW GetFileNameFromPath(const StringW& path);
  static StringW GetLongPath(const StringW& path);
  static StringW MakeValidFileName(const StringW& text);
  static bool FileExists(const StringW& path);
  static bool FolderExists(const StringW& path);
  // 1 when the folder exists, E_FAIL when a file has its name or it cannot
  // be made, 0 when it was made (with the folders above it).
  static HResult EnsureFolder(const StringW& path);
  static bool CreateFolders(const StringW& path, bool pathEndsInFileName);
  // The files (not folders) of `folder` whose names match `pattern` ('*' and
  // '?', any letter case), as full paths in sorted order; the result is
  // their count, E_NOTIMPL when the folder does not exist, E_FAIL when it
  // could not be read.
  static HResult ListFiles(const StringW& folder, const StringW& pattern, std::vector<StringW>& result);

 private:
  int Descriptor() const { return *mDescriptor->GetValue(); }
  void SeekForTransfer(int32_t offset, const SourceLocation& where);

  RCPtr<LHolder<int>> mDescriptor;
  StringW mFileName;
  StringW mPath;
  uint32_t mFlags = 0;
};

}  // namespace HV
