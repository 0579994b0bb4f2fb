#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace HV {

// Windows language IDs (LCIDs) for the user's language, as the string tables
// are written in them.
inline constexpr int32_t kLanguageEnglish = 0x0009;
inline constexpr int32_t kLanguageEnglishUS = 0x0409;

// The LCID of a POSIX locale name ("de_DE.UTF-8", "pt_BR", "fr"): the
// language and territory when the table knows them, else the language's
// primary ID, else English (US). "C", "POSIX" and empty names are English (US).
int32_t LanguageIdFromLocaleName(std::string_view localeName);

// The user's language from LC_ALL, then LC_MESSAGES, then LANG (the first
// that is set and not empty). The lookup is the environment unless a test
// gives its own.
int32_t GetUserDefaultLanguageId(const std::function<const char*(const char*)>& lookup = {});

}  // namespace HV
