#pragma once

namespace HV {

// Case mapping of single text units by a fixed rule that does not depend on
// the user's locale: ASCII, Latin-1, Latin Extended-A, basic Greek and
// Cyrillic letters for UTF-16 units; ASCII only for UTF-8 bytes (bytes of
// longer sequences are left alone). Units without a simple one-unit partner
// (German sharp s, dotless i, surrogates...) map to themselves.
char16_t ToUpperUnit(char16_t unit);
char16_t ToLowerUnit(char16_t unit);
char ToUpperUnit(char unit);
char ToLowerUnit(char unit);

}  // namespace HV
