#pragma once

// OpenSettingsFile: opens a settings file once and keeps its handle in the
// caller's cache. The cache is returned as it is when it holds a handle; a
// failed open leaves 0 so the next call tries again. A file without a folder
// (the folder could not be determined) is not opened at all: it would land at
// the root of the file system.

#include "HVFramework/System/IIniFileManager.h"

namespace HV {

int32_t OpenSettingsFile(IIniFileManager& manager, const StringW& folder, const StringW& fileName,
                         const StringW& version, const StringW& product, int32_t& cachedHandle);

}  // namespace HV
