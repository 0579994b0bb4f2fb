#include "Panel/UI/DriverCommon/LPresetFileWriter.h"

#include "HVFramework/Platform/Core/PosixFile.h"

namespace HV {

int LPresetFileWriter::Create(const std::string& path) {
  return Platform::OpenFile(path, Platform::FileAccess::ReadWrite, Platform::FileCreation::CreateNew);
}

bool LPresetFileWriter::Write(int file, const void* data, size_t count) {
  return Platform::WriteFile(file, data, count) == static_cast<int64_t>(count);
}

bool LPresetFileWriter::Flush(int file) { return Platform::SyncFile(file); }

bool LPresetFileWriter::Close(int file) { return Platform::CloseFile(file); }

bool LPresetFileWriter::Replace(const std::string& from, const std::string& to) {
  return Platform::ReplaceFile(from, to);
}

void LPresetFileWriter::Remove(const std::string& path) { Platform::RemoveFile(path); }

}  // namespace HV
