#include "HVFramework/Controls/TextBox/TextCharacters.h"

namespace HV::TextCharacters {

bool IsPrintable(char16_t c) {
  if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return false;
  return c != 0x2028 && c != 0x2029;
}

bool IsSpace(char16_t c) {
  switch (c) {
    case u' ':
    case u'\t':
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case 0x0085:
    case 0x1680:
    case 0x2028:
    case 0x2029:
    case 0x205F:
    case 0x3000:
      return true;
    default:
      // The typographic spaces, less the figure space and the narrow no-break space.
      return c >= 0x2000 && c <= 0x200A && c != 0x2007;
  }
}

}  // namespace HV::TextCharacters
