#pragma once

// The preset name as the keyboard stores it: six bytes, one per character
// position, left-aligned, 0 after the end of the name. The keyboard's
// coding is ASCII for the characters its display can show, except the
// blank, which it stores as 0x22 (the double quote's code; the double quote
// itself cannot be typed). Letters are stored in upper case. The
// apostrophe is stored as its own code 0x27.

#include "HVFramework/Utilities/Storage/StringT.h"
#include "Panel/UI/PresetEditorCommon/ElementRecord.h"

#include <cstdint>

namespace HV::PresetNameRecord {

inline constexpr uint32_t kLength = 6;
inline constexpr signed char kBlank = 0x22;

// Every character the name may hold, both letter cases.
inline constexpr const char16_t* kAllowedCharacters =
    u" abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-./=[\\]'";

// The six bytes of the first six characters of text, upper-cased.
ElementRecord FromText(const StringW& text);
// The characters of the bytes up to the first 0 (any length).
StringW ToText(const ElementRecord& record);

}  // namespace HV::PresetNameRecord
