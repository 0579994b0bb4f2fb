#pragma once

#include <string>
#include <vector>

namespace HV::Platform {

// The font folders of the machine's font configuration (UTF-8 paths);
// empty when fontconfig cannot be initialised.
std::vector<std::string> GetFontFolders();

// The family fontconfig picks for "sans-serif" (the desktop's interface
// font), or an empty string.
std::string GetDefaultSansFamily();

}  // namespace HV::Platform
