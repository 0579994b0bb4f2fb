#include "HVFramework/ControlBase/Window/ProfileFolderStore.h"

#include "HVFramework/Platform/Core/PosixFile.h"

namespace HV {
namespace {

bool IsKept(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'.' ||
         c == u'-' || c == u'_';
}

std::string FileNamePart(const StringW& text) {
  std::string part;
  for (int32_t i = 0; i < text.GetLength(); ++i) part += IsKept(text[i]) ? static_cast<char>(text[i]) : '_';
  return part.empty() ? "_" : part;
}

}  // namespace

std::string ProfileFolderStore::GetPath(const StringW& section, const StringW& name) const {
  return mFolder + "/" + FileNamePart(section) + "." + FileNamePart(name);
}

bool ProfileFolderStore::GetBinary(const StringW& section, const StringW& name, std::vector<uint8_t>& value) const {
  if (mFolder.empty()) return false;
  return Platform::ReadWholeFile(GetPath(section, name), kMaxValueSize, value);
}

void ProfileFolderStore::SetBinary(const StringW& section, const StringW& name, const std::vector<uint8_t>& value) {
  if (mFolder.empty() || value.size() > kMaxValueSize || !MakeFolders()) return;
  const std::string path = GetPath(section, name);
  const std::string fresh = path + ".new";
  Platform::RemoveFile(fresh);  // left over from an interrupted write
  const int file = Platform::OpenFile(fresh, Platform::FileAccess::ReadWrite, Platform::FileCreation::CreateNew);
  if (file < 0) return;
  const bool isWritten = Platform::WriteFile(file, value.data(), value.size()) == static_cast<int64_t>(value.size());
  const bool isClosed = Platform::CloseFile(file);
  if (!isWritten || !isClosed || !Platform::ReplaceFile(fresh, path)) Platform::RemoveFile(fresh);
}

bool ProfileFolderStore::MakeFolders() const {
  for (size_t slash = mFolder.find('/', 1); ; slash = mFolder.find('/', slash + 1)) {
    const std::string level = mFolder.substr(0, slash);
    if (Platform::GetPathKind(level) != Platform::PathKind::Folder) Platform::MakeFolder(level);
    if (slash == std::string::npos) break;
  }
  return Platform::GetPathKind(mFolder) == Platform::PathKind::Folder;
}

}  // namespace HV
