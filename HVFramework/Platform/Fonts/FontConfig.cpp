#include "HVFramework/Platform/Fonts/FontConfig.h"

#include <fontconfig/fontconfig.h>

namespace HV::Platform {

std::vector<std::string> GetFontFolders() {
  std::vector<std::string> folders;
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (!config) return folders;
  if (FcStrList* list = FcConfigGetFontDirs(config)) {
    while (FcChar8* folder = FcStrListNext(list)) folders.emplace_back(reinterpret_cast<const char*>(folder));
    FcStrListDone(list);
  }
  FcConfigDestroy(config);
  return folders;
}

std::string GetDefaultSansFamily() {
  std::string family;
  FcConfig* config = FcInitLoadConfigAndFonts();
  if (!config) return family;
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
  if (pattern) {
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
      FcChar8* name = nullptr;
      if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch && name)
        family = reinterpret_cast<const char*>(name);
      FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
  }
  FcConfigDestroy(config);
  return family;
}

}  // namespace HV::Platform
