#pragma once

#include <cstddef>
#include <string>

namespace HV {

// The file operations a preset save stands on, one call per step so that
// every step's failure is seen. Paths are UTF-8. The program's writer is
// LPresetFileWriter; tests give one that fails a chosen step.
class IPresetFileWriter {
 public:
  virtual ~IPresetFileWriter() = default;
  // A new, empty file at path, which must not exist yet: a handle, or -1.
  virtual int Create(const std::string& path) = 0;
  // True only when all count bytes were written.
  virtual bool Write(int file, const void* data, size_t count) = 0;
  // The written bytes are on the disk.
  virtual bool Flush(int file) = 0;
  virtual bool Close(int file) = 0;
  // Puts the file from in the place of to in one step.
  virtual bool Replace(const std::string& from, const std::string& to) = 0;
  virtual void Remove(const std::string& path) = 0;
};

}  // namespace HV
