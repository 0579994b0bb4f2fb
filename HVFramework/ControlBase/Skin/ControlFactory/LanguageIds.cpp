#include "HVFramework/ControlBase/Skin/ControlFactory/LanguageIds.h"

#include <cstdlib>

namespace HV {
namespace {

struct LanguageRow {
  std::string_view language;
  std::string_view territory;  // empty: the language's primary ID
  int32_t id;
};

// One row per language (primary ID) and per language with territory.
constexpr LanguageRow kLanguages[] = {
    {"ar", "", 0x0001},   {"ar", "SA", 0x0401}, {"bg", "", 0x0002},   {"bg", "BG", 0x0402},
    {"ca", "", 0x0003},   {"ca", "ES", 0x0403}, {"zh", "", 0x0004},   {"zh", "TW", 0x0404},
    {"zh", "CN", 0x0804}, {"zh", "HK", 0x0C04}, {"zh", "SG", 0x1004}, {"zh", "MO", 0x1404},
    {"cs", "", 0x0005},   {"cs", "CZ", 0x0405}, {"da", "", 0x0006},   {"da", "DK", 0x0406},
    {"de", "", 0x0007},   {"de", "DE", 0x0407}, {"de", "CH", 0x0807}, {"de", "AT", 0x0C07},
    {"de", "LU", 0x1007}, {"de", "LI", 0x1407}, {"el", "", 0x0008},   {"el", "GR", 0x0408},
    {"en", "", 0x0009},   {"en", "US", 0x0409}, {"en", "GB", 0x0809}, {"en", "AU", 0x0C09},
    {"en", "CA", 0x1009}, {"en", "NZ", 0x1409}, {"en", "IE", 0x1809}, {"en", "ZA", 0x1C09},
    {"en", "IN", 0x4009}, {"es", "", 0x000A},   {"es", "ES", 0x0C0A}, {"es", "MX", 0x080A},
    {"es", "AR", 0x2C0A}, {"fi", "", 0x000B},   {"fi", "FI", 0x040B}, {"fr", "", 0x000C},
    {"fr", "FR", 0x040C}, {"fr", "BE", 0x080C}, {"fr", "CA", 0x0C0C}, {"fr", "CH", 0x100C},
    {"fr", "LU", 0x140C}, {"he", "", 0x000D},   {"he", "IL", 0x040D}, {"hu", "", 0x000E},
    {"hu", "HU", 0x040E}, {"is", "", 0x000F},   {"is", "IS", 0x040F}, {"it", "", 0x0010},
    {"it", "IT", 0x0410}, {"it", "CH", 0x0810}, {"ja", "", 0x0011},   {"ja", "JP", 0x0411},
    {"ko", "", 0x0012},   {"ko", "KR", 0x0412}, {"nl", "", 0x0013},   {"nl", "NL", 0x0413},
    {"nl", "BE", 0x0813}, {"nb", "", 0x0014},   {"nb", "NO", 0x0414}, {"no", "", 0x0014},
    {"nn", "NO", 0x0814}, {"pl", "", 0x0015},   {"pl", "PL", 0x0415}, {"pt", "", 0x0016},
    {"pt", "BR", 0x0416}, {"pt", "PT", 0x0816}, {"ro", "", 0x0018},   {"ro", "RO", 0x0418},
    {"ru", "", 0x0019},   {"ru", "RU", 0x0419}, {"hr", "", 0x001A},   {"hr", "HR", 0x041A},
    {"sk", "", 0x001B},   {"sk", "SK", 0x041B}, {"sv", "", 0x001D},   {"sv", "SE", 0x041D},
    {"sv", "FI", 0x081D}, {"th", "", 0x001E},   {"th", "TH", 0x041E}, {"tr", "", 0x001F},
    {"tr", "TR", 0x041F}, {"id", "", 0x0021},   {"id", "ID", 0x0421}, {"uk", "", 0x0022},
    {"uk", "UA", 0x0422}, {"sl", "", 0x0024},   {"sl", "SI", 0x0424}, {"et", "", 0x0025},
    {"et", "EE", 0x0425}, {"lv", "", 0x0026},   {"lv", "LV", 0x0426}, {"lt", "", 0x0027},
    {"lt", "LT", 0x0427}, {"vi", "", 0x002A},   {"vi", "VN", 0x042A},
};

}  // namespace

int32_t LanguageIdFromLocaleName(std::string_view name) {
  name = name.substr(0, name.find_first_of(".@"));  // no codeset, no modifier
  const size_t separator = name.find_first_of("_-");
  const std::string_view language = name.substr(0, separator);
  const std::string_view territory = separator == std::string_view::npos ? "" : name.substr(separator + 1);
  int32_t primary = 0;
  for (const LanguageRow& row : kLanguages) {
    if (row.language != language) continue;
    if (!territory.empty() && row.territory == territory) return row.id;
    if (row.territory.empty()) primary = row.id;
  }
  return primary ? primary : kLanguageEnglishUS;
}

int32_t GetUserDefaultLanguageId(const std::function<const char*(const char*)>& lookup) {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = lookup ? lookup(variable) : std::getenv(variable);
    if (value && *value) return LanguageIdFromLocaleName(value);
  }
  return kLanguageEnglishUS;
}

}  // namespace HV
