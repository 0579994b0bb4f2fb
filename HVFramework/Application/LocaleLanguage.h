#pragma once

// The language of the user's locale as the string tables know languages: a
// language identifier (LCID) whose low ten bits are the primary language
// (0x0009 English, 0x0007 German, ...). A string table without the exact
// identifier falls back to its primary language, then to English.

#include <cstdint>
#include <string_view>

namespace HV {

inline constexpr int32_t kEnglishUnitedStates = 0x0409;

// The identifier of a POSIX locale name ("de_DE.UTF-8", "fr_CA@euro", "it");
// 0x0409 for "C", "POSIX", an empty name and languages the table lacks.
int32_t LanguageIdFromLocaleName(std::string_view locale);

// From the first of LC_ALL, LC_MESSAGES and LANG that is set and not empty.
int32_t GetUserLanguageId();

}  // namespace HV
