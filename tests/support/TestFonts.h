#pragma once

#include <cstdlib>

// Pins the fonts of a test process to the project's own font configuration
// (tests/data/fonts.conf: the Liberation and DejaVu fonts), so no test depends
// on the machine's fonts. Call before the first font is made.
inline void UseTestFonts() {
#ifdef HV_TEST_FONTS_CONF
  setenv("FONTCONFIG_FILE", HV_TEST_FONTS_CONF, 1);
#endif
}
