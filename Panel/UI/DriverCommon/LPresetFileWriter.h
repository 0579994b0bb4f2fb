#pragma once

#include "Panel/UI/DriverCommon/IPresetFileWriter.h"

namespace HV {

// LPresetFileWriter: the preset save's file operations on the system's files.
class LPresetFileWriter : public IPresetFileWriter {
 public:
  int Create(const std::string& path) override;
  bool Write(int file, const void* data, size_t count) override;
  bool Flush(int file) override;
  bool Close(int file) override;
  bool Replace(const std::string& from, const std::string& to) override;
  void Remove(const std::string& path) override;
};

}  // namespace HV
