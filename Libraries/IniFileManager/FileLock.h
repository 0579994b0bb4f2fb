#pragma once

// FileLock: an exclusive flock on the settings file at a path, held until
// destruction, so that programs changing one file take turns.
//
// The lock is taken on the file the path names when the lock is granted: a
// writer before us may have renamed a new file into place while we waited,
// and then we lock that one instead. A missing file is created empty to hold
// the lock, and removed again unless the change that needed it was written
// (KeepFile). Only a regular file is locked: a FIFO or device at the path
// fails at once instead of blocking.

#include <sys/types.h>
#include <string>

namespace IniFileManagerImpl {

// Opens a regular file for reading without waiting on a FIFO or device at the
// path: -1 with errno set when it cannot (EINVAL: not a regular file).
int OpenRegularFile(const std::string& path);

class FileLock {
 public:
  FileLock() = default;
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Waits for the lock on the file at `path`; false when it cannot be had.
  bool Acquire(const std::string& path);

  // Open for reading, at the start of the file.
  int GetDescriptor() const { return mFd; }
  // The permissions a rewritten file gets: the file's own, or those of a new settings file.
  mode_t GetMode() const { return mMode; }
  // The change was written: a file created for the lock stays.
  void KeepFile() { mIsCreated = false; }

 private:
  int mFd = -1;
  std::string mPath;
  bool mIsCreated = false;
  mode_t mMode = 0;
};

}  // namespace IniFileManagerImpl
