#include "HVFramework/System/SettingsFile.h"

#include "HVFramework/Utilities/Storage/File.h"

namespace HV {

int32_t OpenSettingsFile(IIniFileManager& manager, const StringW& folder, const StringW& fileName,
                         const StringW& version, const StringW& product, int32_t& cachedHandle) {
  if (cachedHandle != 0 || folder.IsEmpty()) return cachedHandle;
  manager.OpenIniFile(File::CombinePath(folder, fileName), version, product, cachedHandle);
  return cachedHandle;
}

}  // namespace HV
