#pragma once

// The file-system calls the framework's files and path functions stand on:
// descriptors opened close-on-exec, reads and writes retried when a signal
// interrupts them, and folder queries. Paths are UTF-8. Every function reports
// failure through its result and never throws.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace HV::Platform {

enum class FileAccess { ReadOnly, ReadWrite };
enum class FileCreation { OpenExisting, CreateIfMissing, CreateNew };

// A descriptor, or -1. New files get the permissions 0666 less the umask.
// Only regular files are opened: a FIFO, a folder or a device fails at once
// (errno EINVAL), where a FIFO would otherwise wait for a writer for ever.
int OpenFile(const std::string& path, FileAccess access, FileCreation creation);
bool CloseFile(int descriptor);

// Whole transfers where the file allows: fewer bytes only at its end (reads)
// or when the device refuses more (writes). -1 on error.
int64_t ReadFile(int descriptor, void* buffer, size_t count);
int64_t WriteFile(int descriptor, const void* buffer, size_t count);
// The file's written data is on the disk (fsync): false when the system
// reports a failed write-back.
bool SyncFile(int descriptor);

enum class SeekOrigin { Start = 0, Current = 1, End = 2 };
int64_t SeekFile(int descriptor, int64_t offset, SeekOrigin origin);  // new position or -1
int64_t GetFileSize(int descriptor);                                   // -1 on error

// The whole of a regular file of at most maxBytes bytes into bytes; false
// (and bytes empty) when it is missing, no regular file, larger or unreadable.
// With reason given, a failure also says why, for the user: the system's
// words for its error ("Permission denied", "Is a directory", "File too
// large" past maxBytes), or "Not a regular file" for a FIFO, a device or a
// socket, which are refused unopened.
bool ReadWholeFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes,
                   std::string* reason = nullptr);

bool RemoveFile(const std::string& path);
// Puts the file from in the place of to in one step: a reader finds the old
// file or the new one, never a part. The written data reaches the disk first.
bool ReplaceFile(const std::string& from, const std::string& to);

enum class PathKind { Missing, File, Folder, Other };
PathKind GetPathKind(const std::string& path);
bool IsAccessible(const std::string& path);
bool MakeFolder(const std::string& path);  // false also when it exists

struct FolderEntry {
  std::string name;
  bool isFolder = false;
};
// The entries of a folder without "." and "..", in the order the system gives.
bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries);

}  // namespace HV::Platform
