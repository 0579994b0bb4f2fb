#include "HVFramework/Application/LocaleLanguage.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace HV {
namespace {

// A language (and territory) the string tables may have. A row without a
// territory is the language's default.
struct LocaleRow {
  std::string_view language;
  std::string_view territory;
  int32_t languageId;
};

constexpr LocaleRow kLocales[] = {
    {"en", "", 0x0409},   {"en", "GB", 0x0809}, {"en", "AU", 0x0C09}, {"en", "CA", 0x1009},
    {"en", "NZ", 0x1409}, {"en", "IE", 0x1809}, {"de", "", 0x0407},   {"de", "CH", 0x0807},
    {"de", "AT", 0x0C07}, {"fr", "", 0x040C},   {"fr", "BE", 0x080C}, {"fr", "CA", 0x0C0C},
    {"fr", "CH", 0x100C}, {"es", "", 0x0C0A},   {"es", "MX", 0x080A}, {"it", "", 0x0410},
    {"it", "CH", 0x0810}, {"nl", "", 0x0413},   {"nl", "BE", 0x0813}, {"pt", "", 0x0816},
    {"pt", "BR", 0x0416}, {"sv", "", 0x041D},   {"da", "", 0x0406},   {"nb", "", 0x0414},
    {"no", "", 0x0414},   {"fi", "", 0x040B},   {"pl", "", 0x0415},   {"cs", "", 0x0405},
    {"hu", "", 0x040E},   {"el", "", 0x0408},   {"tr", "", 0x041F},   {"ru", "", 0x0419},
    {"ja", "", 0x0411},   {"ko", "", 0x0412},   {"zh", "", 0x0804},   {"zh", "TW", 0x0404},
    {"zh", "HK", 0x0C04},
};

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

int32_t LanguageIdFromLocaleName(std::string_view locale) {
  // language[_territory][.codeset][@modifier]
  locale = locale.substr(0, locale.find_first_of(".@"));
  const size_t underscore = locale.find('_');
  const std::string language = Lower(locale.substr(0, underscore));
  const std::string territory = underscore == std::string_view::npos ? "" : Upper(locale.substr(underscore + 1));
  int32_t languageDefault = kEnglishUnitedStates;
  for (const LocaleRow& row : kLocales) {
    if (row.language != language) continue;
    if (row.territory == territory) return row.languageId;
    if (row.territory.empty()) languageDefault = row.languageId;
  }
  return languageDefault;
}

int32_t GetUserLanguageId() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] != '\0') return LanguageIdFromLocaleName(value);
  }
  return kEnglishUnitedStates;
}

}  // namespace HV
