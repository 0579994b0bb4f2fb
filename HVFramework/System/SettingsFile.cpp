#include "HVFramework/System/SettingsFile.h"

#include "HVFramework/System/File.h"

namespace HV {

StringW MakeSettingsFolder(const StringW& base, const StringW& company, const StringW& product) {
  if (base.IsEmpty()) return StringW();
  StringW folder = base;
  for (const StringW* level : {&company, &product}) {
    folder = File::CombinePath(folder, File::MakeValidFileName(*level));
    File::EnsureFolder(folder);
  }
  return folder;
}

int32_t OpenSettingsFile(IIniFileManager& manager, const StringW& folder, const StringW& fileName,
                         const StringW& version, const StringW& product, int32_t& cachedHandle) {
  if (cachedHandle != 0 || folder.IsEmpty()) return cachedHandle;
  manager.OpenIniFile(File::CombinePath(folder, fileName), version, product, cachedHandle);
  return cachedHandle;
}

}  // namespace HV
