#include "HVFramework/Application/LocaleLanguage.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <optional>
#include <string>

namespace HV {
namespace {

TEST(LocaleLanguage, LocaleNamesBecomeTheLanguagesOfTheStringTables) {
  struct Row {
    const char* locale;
    int32_t languageId;
  } const rows[] = {
      {"en_US.UTF-8", 0x0409}, {"en_GB.UTF-8", 0x0809}, {"en", 0x0409},          {"de_DE.UTF-8", 0x0407},
      {"de_AT", 0x0C07},       {"de_LU.UTF-8", 0x0407}, {"fr_FR@euro", 0x040C},  {"fr_CA.UTF-8", 0x0C0C},
      {"es_ES.UTF-8", 0x0C0A}, {"it_IT", 0x0410},       {"ja_JP.eucJP", 0x0411}, {"pt_BR.UTF-8", 0x0416},
      {"zh_TW.UTF-8", 0x0404}, {"C", 0x0409},           {"C.UTF-8", 0x0409},     {"POSIX", 0x0409},
      {"", 0x0409},            {"xx_YY", 0x0409},       {"EN_us", 0x0409},
  };
  for (const Row& row : rows) EXPECT_EQ(LanguageIdFromLocaleName(row.locale), row.languageId) << row.locale;
}

TEST(LocaleLanguage, TheUsersLanguageComesFromLcAllThenLcMessagesThenLang) {
  constexpr std::array<const char*, 3> kVariables = {"LC_ALL", "LC_MESSAGES", "LANG"};
  std::array<std::optional<std::string>, 3> saved;
  for (size_t i = 0; i < kVariables.size(); ++i)
    if (const char* value = std::getenv(kVariables[i])) saved[i] = value;
  struct Row {
    const char* all;
    const char* messages;
    const char* lang;
    int32_t languageId;
  } const rows[] = {
      {"de_DE.UTF-8", "fr_FR.UTF-8", "it_IT.UTF-8", 0x0407},
      {"", "fr_FR.UTF-8", "it_IT.UTF-8", 0x040C},
      {nullptr, nullptr, "it_IT.UTF-8", 0x0410},
      {nullptr, nullptr, nullptr, 0x0409},
  };
  for (const Row& row : rows) {
    const char* values[] = {row.all, row.messages, row.lang};
    for (size_t i = 0; i < kVariables.size(); ++i)
      values[i] ? setenv(kVariables[i], values[i], 1) : unsetenv(kVariables[i]);
    EXPECT_EQ(GetUserLanguageId(), row.languageId) << (row.lang ? row.lang : "(none)");
  }
  for (size_t i = 0; i < kVariables.size(); ++i)
    saved[i] ? setenv(kVariables[i], saved[i]->c_str(), 1) : unsetenv(kVariables[i]);
}

}  // namespace
}  // namespace HV
