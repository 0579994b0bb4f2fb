#pragma once

// OpenSettingsFile: opens a settings file once and keeps its handle in the
// caller's cache. The cache is returned as it is when it holds a handle; a
// failed open leaves 0 so the next call tries again. A file without a folder
// (the folder could not be determined) is not opened at all: it would land at
// the root of the file system.

#include "HVFramework/System/IIniFileManager.h"

namespace HV {

// The folder base/company/product that holds a settings file. The two names
// are made valid file names first, and each level is made to exist as it is
// appended (a failure shows later, when the file does not open). Empty when
// the base folder is unknown (empty).
StringW MakeSettingsFolder(const StringW& base, const StringW& company, const StringW& product);

int32_t OpenSettingsFile(IIniFileManager& manager, const StringW& folder, const StringW& fileName,
                         const StringW& version, const StringW& product, int32_t& cachedHandle);

}  // namespace HV
