// LApplicationBase: its folders and its settings files.
#include "HVFramework/Application/LApplicationBase.h"

#include "HVFramework/ObjectBase/Exception.h"
#include "HVFramework/Platform/Core/Folders.h"
#include "HVFramework/System/DebugTrace.h"
#include "HVFramework/System/File.h"

#include <stdexcept>
#include <string>

namespace HV {
namespace {

struct SettingsFileRow {
  int32_t number;
  int32_t folder;
  const WChar* name;
};

constexpr SettingsFileRow kSettingsFiles[] = {
    {LFrameworkApp::kAppSettingsFile, LApplicationBase::kSharedDataFolder, u"AppSettings.ini"},
    {LFrameworkApp::kUserSettingsFile, LApplicationBase::kUserFolder, u"UserSettings.ini"},
};

StringW Wide(const std::string& utf8) { return StringW(utf8.c_str()); }

}  // namespace

StringW LApplicationBase::GetFolder(int32_t number) {
  switch (number) {
    case kProgramFolder:
      return Wide(Platform::GetProgramFolder());
    case kResourceFolder:
      return StringW(u"::");
    case kSharedDataFolder:
      return MakeApplicationFolder(Wide(Platform::GetSharedDataFolder()));
    case kUserFolder:
      return MakeApplicationFolder(Wide(Platform::GetUserSettingsFolder()));
    case kDocumentsFolder:
      return Wide(Platform::GetDocumentsFolder());
    default:
      Throw<std::out_of_range>("Unknown Path ID.", HV_HERE("HV::LApplicationBase::GetFolder"));
  }
}

// A base that cannot be determined gives no folder at all: never a company
// folder at the root of the file system.
StringW LApplicationBase::MakeApplicationFolder(const StringW& base) const {
  if (base.IsEmpty()) return StringW();
  StringW folder = base;
  for (const StringW& level : {mIdentity.companyName, mIdentity.productName}) {
    folder = File::CombinePath(folder, File::MakeValidFileName(level));
    // A file of the folder's name is no folder: what is made under it fails later.
    File::EnsureFolder(folder);
  }
  return folder;
}

IIniFileManager* LApplicationBase::GetIniFileManager() { return mIniFileManager; }

int32_t LApplicationBase::OpenIniFile(int32_t number) {
  for (const SettingsFileRow& row : kSettingsFiles) {
    if (row.number != number) continue;
    SettingsFile& file = mSettingsFiles[static_cast<size_t>(number)];
    if (file.handle != 0 || !mIniFileManager) return file.handle;
    const StringW folder = GetFolder(row.folder);
    if (folder.IsEmpty()) {
      if (!std::exchange(file.isFolderMissingTraced, true))
        DebugTrace::Get().WriteLine(u"No folder for the settings file " + std::u16string(row.name));
      return 0;
    }
    int32_t handle = 0;
    const HResult opened = mIniFileManager->OpenIniFile(File::CombinePath(folder, StringW(row.name)),
                                                        GetVersionString(), GetProductName(), handle);
    file.handle = Failed(opened) ? 0 : handle;
    return file.handle;
  }
  return 0;
}

}  // namespace HV
