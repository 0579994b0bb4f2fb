#pragma once

#include <cstdint>

namespace HV::TextCharacters {

// The character classes the text box types and moves by. They are fixed
// rules rather than a locale's, so that every language's letters can be
// typed whatever locale the program runs in.

// A character that may go into a single-line text: anything but the C0 and
// C1 control characters, DEL, Tab and the line and paragraph separators.
// Surrogate halves pass, so characters beyond the basic plane arrive whole.
bool IsPrintable(char16_t c);

// A blank that separates words: the ASCII white space and the Unicode
// spaces (no-break spaces excepted: they hold words together).
bool IsSpace(char16_t c);

}  // namespace HV::TextCharacters
